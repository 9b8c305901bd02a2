// The machine side of the control API.
#include <system_error>

#include "files/path_map.h"
#include "kernel/machine.h"
#include "msi/handles.h"

namespace standin {

void ResetMachine(const MachineSetup& setup) {
  Machine& machine = TheMachine();
  machine.kernelObjects.clear();
  ClearInstallerObjects();
  machine.failInstallerCalls = false;
  machine.throwOnCall.clear();
  machine.setup = setup;
  std::error_code error;
  std::filesystem::create_directories(setup.root, error);
  if (!setup.tempFolder.empty()) std::filesystem::create_directories(MapToHost(setup.tempFolder), error);
  // Profile functions put a bare file name into the Windows folder, which every machine has.
  std::filesystem::create_directories(MapToHost(L"C:\\Windows"), error);
  if (setup.guidSeed) {
    SetGuidSeed(*setup.guidSeed);
  } else {
    UseSystemRandomGuids();
  }
}

std::filesystem::path HostPath(std::wstring_view windowsPath) { return MapToHost(windowsPath); }

void SetTempFolder(std::wstring folder) { TheMachine().setup.tempFolder = std::move(folder); }

void SetEnvironmentVariable(const std::wstring& name, std::optional<std::wstring> value) {
  auto& environment = TheMachine().setup.environment;
  for (auto it = environment.begin(); it != environment.end();) {
    it = NamesEqualIgnoringCase(it->first, name) ? environment.erase(it) : std::next(it);
  }
  if (value) environment.emplace(name, *value);
}

std::optional<std::wstring> EnvironmentVariable(std::wstring_view name) {
  for (const auto& [key, value] : TheMachine().setup.environment) {
    if (NamesEqualIgnoringCase(key, name)) return value;
  }
  return std::nullopt;
}

}  // namespace standin
