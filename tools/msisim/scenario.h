// A scenario: the machine before the run, the installed products, the installation's properties
// and the custom actions to call, in order.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32.h"

namespace msisim {

struct ScenarioAction {
  std::string name;  // the export's name
  bool deferred = false;
  std::vector<MSIRUNMODE> runModes;
};

struct Scenario {
  std::string comment;
  // What GetTempPathW answers; the action log lives there.
  std::wstring temp = L"C:\\Temp\\";
  std::map<std::wstring, std::wstring> environment;
  // Folders that exist before the run (files' folders are made anyway).
  std::vector<std::wstring> folders;
  // Files present before the run, by Windows path, as bytes.
  std::map<std::wstring, std::string> files;
  // Installed products: product code to its properties.
  std::map<std::wstring, std::map<std::wstring, std::wstring>> products;
  std::map<std::wstring, std::wstring> properties;
  std::vector<ScenarioAction> actions;
  std::optional<SYSTEMTIME> clock;
  std::optional<std::uint64_t> guidSeed;
};

// A scenario that breaks the format; the message names the place ("actions[2].name: ...").
class ScenarioError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads and checks a whole scenario before anything is run.
Scenario ParseScenario(std::string_view jsonText);
// The same for a file; the message starts with the file's name.
Scenario LoadScenario(const std::filesystem::path& file);

// The run modes by the names the action log shows ("MSIRUNMODE_ROLLBACK").
std::optional<MSIRUNMODE> RunModeNamed(std::string_view name);

}  // namespace msisim
