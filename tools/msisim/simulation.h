// One run of a scenario: the machine is built, the actions are called the way an installer calls
// them, and what changed is collected for the reports.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "scenario.h"

namespace msisim {

struct ActionRun {
  std::string name;
  bool deferred = false;
  // What a deferred action was given; empty for an immediate one.
  std::wstring customActionData;
  UINT result = 0;
  // Each property whose value the action changed, with its new value; nothing when removed.
  std::map<std::wstring, std::optional<std::wstring>> propertiesSet;
  // What it printed on standard output and standard error.
  std::string output;
};

struct FileChange {
  std::wstring path;
  std::optional<std::string> before;  // bytes; nothing when the file was not there
  std::optional<std::string> after;
};

struct RunResult {
  std::wstring temp;
  std::vector<ActionRun> actions;
  // The installation's properties after the run.
  std::map<std::wstring, std::wstring> properties;
  // Files created, changed or deleted, the action log aside, by Windows path.
  std::vector<FileChange> files;
  std::wstring logPath;
  // The text the run added to the action log (all of it when the log was made anew).
  std::string log;
};

// Builds the scenario's machine under `root` (which must be empty or missing) and runs it with
// the library at `library`. Throws std::runtime_error when the library or the machine fails.
RunResult Simulate(const Scenario& scenario, const std::filesystem::path& root, const std::filesystem::path& library);

// All the actions printed, in order.
std::string AllOutput(const RunResult& result);

}  // namespace msisim
