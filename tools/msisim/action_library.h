// The library under simulation, loaded by path, and its exported actions found by name.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/win32.h"

namespace msisim {

// The library's exports, in export order.
inline constexpr std::array<std::string_view, 7> kActionNames{
    "PelmoEngineSetInstallDir", "PelmoSLPUninstall",      "PelmoSetSLPDiscipline", "PelmoSetSLPInstallDir",
    "PlmPrepareWriteIni",       "PlmSetCustomProperties", "PlmWriteIni",
};

bool IsActionName(std::string_view name);

class ActionLibrary {
 public:
  using Action = UINT(WINAPI*)(MSIHANDLE);

  // Throws std::runtime_error naming the file and the loader's reason.
  explicit ActionLibrary(const std::filesystem::path& path);
  ~ActionLibrary();
  ActionLibrary(const ActionLibrary&) = delete;
  ActionLibrary& operator=(const ActionLibrary&) = delete;

  // Throws std::runtime_error when the library does not export the name.
  Action Find(const std::string& name) const;

 private:
  std::filesystem::path path_;
  void* handle_;
};

// custom.so of the build the running simulator belongs to: <bin>/../lib/custom.so.
std::filesystem::path DefaultLibraryPath();

}  // namespace msisim
