#include "actions/product_property.h"

#include <vector>

namespace actions {

namespace {
constexpr DWORD kProductPropertyBuffer = 2080;

std::wstring TextUpToNull(const std::vector<wchar_t>& buffer) {
  std::size_t length = 0;
  while (length < buffer.size() && buffer[length] != L'\0') ++length;
  return std::wstring(buffer.data(), length);
}
}  // namespace

InstalledProduct::InstalledProduct(const std::wstring& productCode) {
  open_ = MsiOpenProductW(productCode.c_str(), &handle_) == ERROR_SUCCESS;
}

InstalledProduct::~InstalledProduct() { MsiCloseHandle(handle_); }

std::wstring InstalledProduct::Property(const std::wstring& name) const {
  if (!open_) return {};
  std::vector<wchar_t> buffer(kProductPropertyBuffer, L'\0');
  DWORD length = kProductPropertyBuffer;
  // A cut install folder would send a whole product to a wrong folder: a value that does not fit is
  // asked for again with the length the installer reports (which leaves out the null).
  if (MsiGetProductPropertyW(handle_, name.c_str(), buffer.data(), &length) == ERROR_MORE_DATA) {
    ++length;
    buffer.assign(length, L'\0');
    MsiGetProductPropertyW(handle_, name.c_str(), buffer.data(), &length);
  }
  return TextUpToNull(buffer);
}

std::wstring InstalledProduct::InstallFolder() const {
  std::wstring folder = Property(L"INSTALLDIR");
  folder += Property(L"KRVN_INSTALL_PATH");
  folder += L'\\';
  return folder;
}

}  // namespace actions
