// The classification of the running installation: a flag word and its two predicates.
#pragma once

#include <cstdint>
#include <string>

namespace runtime {

enum InstallTypeFlag : std::uint32_t {
  IT_REINSTALL = 0x001,
  IT_UNINSTALL = 0x002,
  IT_REPAIRFIL = 0x004,
  IT_SECONDARY = 0x008,
  IT_REPAIRREG = 0x010,
  IT_PATCH = 0x020,
  IT_PATCHREMOVE = 0x040,
  IT_NEWINSTALL = 0x080,
  IT_DEPLOYMENT = 0x100,
  IT_ADDREMOVE = 0x200,
  IT_NEWUSER = 0x400,
};

// A repair: some flag set, and none outside reinstall, file repair, registry repair, deployment.
bool IsRepair(std::uint32_t installType);
// A registry-only repair: some flag set, and none outside reinstall, registry repair, deployment.
bool IsRegistryRepair(std::uint32_t installType);

// The names of the set flags in log order, joined by " | " ("" when none is set).
std::wstring InstallTypeNames(std::uint32_t installType);

}  // namespace runtime
