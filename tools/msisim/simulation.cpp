#include "simulation.h"

#include <algorithm>
#include <chrono>

#include "action_library.h"
#include "file_text.h"
#include "machine_files.h"
#include "output_capture.h"
#include "platform/host/control.h"
#include "platform/unicode.h"
#include "windows_path.h"

namespace msisim {

namespace {

constexpr wchar_t kLogFileName[] = L"PelmoCustom.log";
constexpr wchar_t kCurrentFolder[] = L"C:\\";

SYSTEMTIME Now() {
  using namespace std::chrono;
  auto now = system_clock::now();
  auto day = floor<days>(now);
  year_month_day date{day};
  hh_mm_ss time{floor<milliseconds>(now - day)};
  return SYSTEMTIME{
      static_cast<WORD>(static_cast<int>(date.year())), static_cast<WORD>(static_cast<unsigned>(date.month())),
      static_cast<WORD>(weekday{day}.c_encoding()),     static_cast<WORD>(static_cast<unsigned>(date.day())),
      static_cast<WORD>(time.hours().count()),          static_cast<WORD>(time.minutes().count()),
      static_cast<WORD>(time.seconds().count()),        static_cast<WORD>(time.subseconds().count())};
}

// Where the actions keep their log: the temporary folder GetTempPathW answers, or the root of
// the current drive when it answers nothing.
std::wstring LogPathFor(const std::wstring& temp) {
  if (temp.empty()) return std::wstring(kCurrentFolder) + kLogFileName;
  return temp + (temp.back() == L'\\' ? L"" : L"\\") + kLogFileName;
}

void BuildMachine(const Scenario& scenario, const std::filesystem::path& root) {
  standin::MachineSetup setup;
  setup.root = root;
  setup.tempFolder = scenario.temp;
  setup.currentFolder = kCurrentFolder;
  setup.environment = scenario.environment;
  setup.clock = scenario.clock.value_or(Now());
  setup.guidSeed = scenario.guidSeed;
  standin::ResetMachine(setup);
  for (const std::wstring& folder : scenario.folders) MakeMachineFolder(folder);
  for (const auto& [path, bytes] : scenario.files) WriteMachineFile(path, bytes);
  for (const auto& [code, properties] : scenario.products) standin::InstallProduct(code, properties);
}

std::map<std::wstring, std::optional<std::wstring>> ChangedProperties(
    const std::map<std::wstring, std::wstring>& before, const std::map<std::wstring, std::wstring>& after) {
  std::map<std::wstring, std::optional<std::wstring>> changed;
  for (const auto& [name, value] : after) {
    auto old = before.find(name);
    if (old == before.end() || old->second != value) changed[name] = value;
  }
  for (const auto& [name, value] : before) {
    if (!after.contains(name)) changed[name] = std::nullopt;
  }
  return changed;
}

// A deferred action sees only what the installer hands to the script: its custom action data
// and the two properties every deferred action may read.
standin::SessionSetup DeferredSetup(MSIHANDLE installation, const ScenarioAction& action) {
  standin::SessionSetup setup;
  setup.deferred = true;
  setup.runModes = action.runModes;
  setup.properties[L"CustomActionData"] = standin::Property(installation, unicode::FromUtf8(action.name)).value_or(L"");
  for (const wchar_t* name : {L"ProductCode", L"UserSID"}) {
    if (auto value = standin::Property(installation, name)) setup.properties[name] = *value;
  }
  return setup;
}

std::optional<std::string> Take(MachineFiles& files, const std::wstring& path) {
  for (auto it = files.begin(); it != files.end(); ++it) {
    if (SamePathIgnoringCase(it->first, path)) {
      std::string bytes = std::move(it->second);
      files.erase(it);
      return bytes;
    }
  }
  return std::nullopt;
}

std::string AddedLogText(const std::optional<std::string>& before, const std::optional<std::string>& after) {
  if (!after) return {};
  std::string now = DecodeFile(*after).text;
  if (before) {
    std::string then = DecodeFile(*before).text;
    if (now.compare(0, then.size(), then) == 0) return now.substr(then.size());
  }
  return now;
}

std::vector<FileChange> ChangedFiles(const MachineFiles& before, const MachineFiles& after) {
  std::vector<FileChange> changes;
  for (const auto& [path, bytes] : after) {
    auto old = before.find(path);
    if (old == before.end()) {
      changes.push_back({path, std::nullopt, bytes});
    } else if (old->second != bytes) {
      changes.push_back({path, old->second, bytes});
    }
  }
  for (const auto& [path, bytes] : before) {
    if (!after.contains(path)) changes.push_back({path, bytes, std::nullopt});
  }
  std::sort(changes.begin(), changes.end(), [](const FileChange& a, const FileChange& b) { return a.path < b.path; });
  return changes;
}

}  // namespace

RunResult Simulate(const Scenario& scenario, const std::filesystem::path& root, const std::filesystem::path& library) {
  ActionLibrary actions(library);
  std::vector<ActionLibrary::Action> entries;
  for (const ScenarioAction& action : scenario.actions) entries.push_back(actions.Find(action.name));

  BuildMachine(scenario, root);
  MachineFiles before = ReadMachineFiles(root);

  standin::SessionSetup installationSetup;
  installationSetup.properties = scenario.properties;
  MSIHANDLE installation = standin::OpenSession(installationSetup);

  RunResult result;
  result.temp = scenario.temp;
  OutputCapture capture;
  for (std::size_t i = 0; i < scenario.actions.size(); ++i) {
    const ScenarioAction& action = scenario.actions[i];
    ActionRun run{action.name, action.deferred, {}, 0, {}, {}};
    MSIHANDLE session = installation;
    if (action.deferred) {
      standin::SessionSetup setup = DeferredSetup(installation, action);
      run.customActionData = setup.properties[L"CustomActionData"];
      session = standin::OpenSession(setup);
    } else {
      standin::SetRunModes(installation, action.runModes);
    }
    auto propertiesBefore = standin::Properties(session);
    capture.Start();
    run.result = entries[i](session);
    run.output = capture.Stop();
    run.propertiesSet = ChangedProperties(propertiesBefore, standin::Properties(session));
    if (session != installation) MsiCloseHandle(session);
    result.actions.push_back(std::move(run));
  }
  result.properties = standin::Properties(installation);
  MsiCloseHandle(installation);

  MachineFiles after = ReadMachineFiles(root);
  result.logPath = LogPathFor(scenario.temp);
  auto logBefore = Take(before, result.logPath);
  auto logAfter = Take(after, result.logPath);
  result.log = AddedLogText(logBefore, logAfter);
  result.files = ChangedFiles(before, after);
  return result;
}

std::string AllOutput(const RunResult& result) {
  std::string output;
  for (const ActionRun& run : result.actions) output += run.output;
  return output;
}

}  // namespace msisim
