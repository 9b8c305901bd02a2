#include "runtime/install_type.h"

#include <array>
#include <utility>

namespace runtime {

bool IsRepair(std::uint32_t installType) {
  constexpr std::uint32_t allowed = IT_REINSTALL | IT_REPAIRFIL | IT_REPAIRREG | IT_DEPLOYMENT;
  return installType != 0 && (installType & ~allowed) == 0;
}

bool IsRegistryRepair(std::uint32_t installType) {
  constexpr std::uint32_t allowed = IT_REINSTALL | IT_REPAIRREG | IT_DEPLOYMENT;
  return installType != 0 && (installType & ~allowed) == 0;
}

std::wstring InstallTypeNames(std::uint32_t installType) {
  static constexpr std::array<std::pair<std::uint32_t, const wchar_t*>, 11> kOrder{{
      {IT_NEWINSTALL, L" | IT_NEWINSTALL"},
      {IT_SECONDARY, L" | IT_SECONDARY"},
      {IT_REINSTALL, L" | IT_REINSTALL"},
      {IT_REPAIRFIL, L" | IT_REPAIRFIL"},
      {IT_REPAIRREG, L" | IT_REPAIRREG"},
      {IT_UNINSTALL, L" | IT_UNINSTALL"},
      {IT_DEPLOYMENT, L" | IT_DEPLOYMENT"},
      {IT_PATCH, L" | IT_PATCH"},
      {IT_PATCHREMOVE, L" | IT_PATCHREMOVE"},
      {IT_ADDREMOVE, L" | IT_ADDREMOVE"},
      {IT_NEWUSER, L" | IT_NEWUSER"},
  }};
  std::wstring names;
  for (const auto& [flag, text] : kOrder) {
    if ((installType & flag) != 0) names += text;
  }
  std::size_t first = names.find_first_not_of(L"| ");
  return first == std::wstring::npos ? std::wstring{} : names.substr(first);
}

}  // namespace runtime
