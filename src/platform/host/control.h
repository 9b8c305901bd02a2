// The control face of the host stand-in: what tests and the simulator use to build a machine and an
// installer session around the library, and to read them back. The library itself never includes
// this header; it sees only the Windows API of src/platform/win32.h.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32.h"

namespace standin {

// The machine: one per process, replaced as a whole by ResetMachine.
struct MachineSetup {
  // Host folder that holds the machine's drives: C:\a\b lives at <root>/c/a/b,
  // \\srv\share\x at <root>/unc/srv/share/x.
  std::filesystem::path root;
  // What GetTempPathW answers; an empty text makes GetTempPathW fail.
  std::wstring tempFolder = L"C:\\Temp\\";
  // Where relative paths resolve.
  std::wstring currentFolder = L"C:\\";
  // Environment variables of the installer process (names ignore case).
  std::map<std::wstring, std::wstring> environment;
  // What GetSystemTime answers (UTC); it does not advance by itself.
  SYSTEMTIME clock{2026, 1, 4, 1, 12, 0, 0, 0};
  // Makes new GUIDs repeatable; without a seed they come from the system's random source.
  std::optional<std::uint64_t> guidSeed;
};

// Replaces the machine: closes every handle, forgets sessions and products, and creates the root
// and the temporary folder on the host.
void ResetMachine(const MachineSetup& setup);

// Where a Windows path of the machine lives on the host (the path need not exist).
std::filesystem::path HostPath(std::wstring_view windowsPath);

void SetClock(const SYSTEMTIME& utc);
void SetTempFolder(std::wstring folder);
void SetEnvironmentVariable(const std::wstring& name, std::optional<std::wstring> value);
std::optional<std::wstring> EnvironmentVariable(std::wstring_view name);
void SetGuidSeed(std::uint64_t seed);

// Installer sessions.
struct ItemState {
  INSTALLSTATE installed = INSTALLSTATE_ABSENT;
  INSTALLSTATE action = INSTALLSTATE_UNKNOWN;
};

struct SessionSetup {
  // A deferred session has MSIRUNMODE_SCHEDULED on and lets an action read only CustomActionData,
  // ProductCode and UserSID, as a real installer does.
  bool deferred = false;
  std::map<std::wstring, std::wstring> properties;
  std::vector<MSIRUNMODE> runModes;
  std::map<std::wstring, ItemState> features;
  std::map<std::wstring, ItemState> components;
  // Folder of each component, for [$Component] in formatted text.
  std::map<std::wstring, std::wstring> componentFolders;
  // Full path of each file key, for [#File] and [!File] in formatted text.
  std::map<std::wstring, std::wstring> filePaths;
};

MSIHANDLE OpenSession(const SessionSetup& setup);
// The session's property table as it stands, without the deferred-session filter.
std::map<std::wstring, std::wstring> Properties(MSIHANDLE session);
std::optional<std::wstring> Property(MSIHANDLE session, std::wstring_view name);
void SetRunModes(MSIHANDLE session, const std::vector<MSIRUNMODE>& modes);

// Installed products, for MsiOpenProductW and MsiGetProductPropertyW.
void InstallProduct(const std::wstring& productCode, std::map<std::wstring, std::wstring> properties);
void RemoveProduct(const std::wstring& productCode);

// Fault injection.
// Every installer call on a session or product handle fails as on a handle the installer does not know.
void FailInstallerCalls(bool fail);
// The next call of the named stand-in function throws std::runtime_error with the given message.
void ThrowOnNextCall(std::string functionName, std::string message);

// Module resources. A module (custom.so, a test program) registers the resources it carries from
// a static initialiser, naming any address inside itself; FindResourceW on that module's handle
// then finds them, byte for byte. The data stays the module's own and must outlive the
// registration, which the module withdraws when it is unloaded.
struct ModuleResource {
  std::wstring type;  // a named resource type, such as L"XML_RESOURCE" (compared ignoring case)
  WORD id = 0;
  WORD language = 0;
  const void* data = nullptr;
  std::size_t size = 0;
};
void RegisterModuleResources(const void* addressInModule, const std::vector<ModuleResource>& resources);
void UnregisterModuleResources(const void* addressInModule);

}  // namespace standin
