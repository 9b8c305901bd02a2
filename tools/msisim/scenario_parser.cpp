// Reading a scenario: every rule of the format is checked here, before anything is run, and a
// breach is reported with the place it was found at.
#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <set>
#include <utility>

#include "action_library.h"
#include "clock_text.h"
#include "file_text.h"
#include "platform/unicode.h"
#include "scenario.h"
#include "windows_path.h"

namespace msisim {

namespace {

using nlohmann::json;

constexpr std::array<std::string_view, 19> kRunModeNames{
    "MSIRUNMODE_ADMIN",      "MSIRUNMODE_ADVERTISE",        "MSIRUNMODE_MAINTENANCE",      "MSIRUNMODE_ROLLBACKENABLED",
    "MSIRUNMODE_LOGENABLED", "MSIRUNMODE_OPERATIONS",       "MSIRUNMODE_REBOOTATEND",      "MSIRUNMODE_REBOOTNOW",
    "MSIRUNMODE_CABINET",    "MSIRUNMODE_SOURCESHORTNAMES", "MSIRUNMODE_TARGETSHORTNAMES", "MSIRUNMODE_RESERVED11",
    "MSIRUNMODE_WINDOWS9X",  "MSIRUNMODE_ZAWENABLED",       "MSIRUNMODE_RESERVED14",       "MSIRUNMODE_RESERVED15",
    "MSIRUNMODE_SCHEDULED",  "MSIRUNMODE_ROLLBACK",         "MSIRUNMODE_COMMIT",
};

// Where in the document a value sits, written as a reader would look for it:
// machine.files["C:\x.ini"].encoding, actions[2].
class Place {
 public:
  Place Key(const std::string& key) const {
    bool plain = !key.empty() &&
                 std::all_of(key.begin(), key.end(), [](unsigned char c) { return std::isalnum(c) || c == '_'; });
    if (plain) return Place(text_.empty() ? key : text_ + "." + key);
    return Place(text_ + "[" + json(key).dump() + "]");
  }
  Place Index(std::size_t index) const { return Place(text_ + "[" + std::to_string(index) + "]"); }
  std::string Text() const { return text_.empty() ? "the top level" : text_; }

 private:
  explicit Place(std::string text) : text_(std::move(text)) {}
  friend Place Top();
  std::string text_;
};

Place Top() { return Place(""); }

[[noreturn]] void Refuse(const Place& place, const std::string& problem) {
  throw ScenarioError(place.Text() + ": " + problem);
}

std::string_view TypeName(const json& value) {
  if (value.is_number_integer()) return "a whole number";
  if (value.is_number_float()) return "a number with a fraction";
  switch (value.type()) {
    case json::value_t::null:
      return "null";
    case json::value_t::boolean:
      return "true or false";
    case json::value_t::string:
      return "a string";
    case json::value_t::array:
      return "an array";
    case json::value_t::object:
      return "an object";
    default:
      return "something else";
  }
}

[[noreturn]] void WrongType(const Place& place, const json& value, std::string_view wanted) {
  Refuse(place, "must be " + std::string(wanted) + ", not " + std::string(TypeName(value)));
}

const json& Object(const json& value, const Place& place, std::initializer_list<std::string_view> keys) {
  if (!value.is_object()) WrongType(place, value, "an object");
  for (const auto& [key, member] : value.items()) {
    if (std::find(keys.begin(), keys.end(), key) == keys.end()) {
      std::string known;
      for (std::string_view name : keys) known += (known.empty() ? "" : ", ") + std::string(name);
      Refuse(place.Key(key), "unknown key; known here: " + known);
    }
  }
  return value;
}

std::wstring Text(const json& value, const Place& place) {
  if (!value.is_string()) WrongType(place, value, "a string");
  return unicode::FromUtf8(value.get<std::string>());
}

std::map<std::wstring, std::wstring> TextMap(const json& value, const Place& place) {
  if (!value.is_object()) WrongType(place, value, "an object of strings");
  std::map<std::wstring, std::wstring> map;
  for (const auto& [key, member] : value.items()) {
    if (key.empty()) Refuse(place, "a name must not be empty");
    map[unicode::FromUtf8(key)] = Text(member, place.Key(key));
  }
  return map;
}

std::wstring WindowsPath(const std::wstring& path, const Place& place) {
  if (!IsWindowsPath(path)) {
    Refuse(place, "\"" + unicode::ToUtf8(path) +
                      "\" is not a Windows path of the machine (it needs a drive, as in C:\\..., or a share, as in "
                      "\\\\server\\share\\...)");
  }
  return path;
}

// Two spellings of one file on a case-insensitive machine would silently overwrite each other.
template <typename Container>
void RefuseSecondSpelling(const Container& seen, const std::wstring& path, const Place& place) {
  for (const auto& earlier : seen) {
    if (SamePathIgnoringCase(earlier, path)) {
      Refuse(place, "names the same file as \"" + unicode::ToUtf8(earlier) + "\" (Windows ignores letter case)");
    }
  }
}

// A file given line by line, each line ended as Windows ends it.
std::string JoinedLines(const json& value, const Place& place) {
  if (!value.is_array()) WrongType(place, value, "an array of lines");
  std::string text;
  for (std::size_t i = 0; i < value.size(); ++i) text += unicode::ToUtf8(Text(value[i], place.Index(i))) + "\r\n";
  return text;
}

void ReadMachine(const json& value, const Place& place, Scenario& scenario) {
  const json& machine = Object(value, place, {"temp", "environment", "folders", "files"});
  if (machine.contains("temp")) {
    Place at = place.Key("temp");
    scenario.temp = Text(machine["temp"], at);
    // An empty folder stands for a GetTempPathW that fails.
    if (!scenario.temp.empty()) WindowsPath(scenario.temp, at);
  }
  if (machine.contains("environment")) scenario.environment = TextMap(machine["environment"], place.Key("environment"));
  if (machine.contains("folders")) {
    Place at = place.Key("folders");
    const json& folders = machine["folders"];
    if (!folders.is_array()) WrongType(at, folders, "an array of Windows paths");
    for (std::size_t i = 0; i < folders.size(); ++i) {
      scenario.folders.push_back(WindowsPath(Text(folders[i], at.Index(i)), at.Index(i)));
    }
  }
  if (machine.contains("files")) {
    Place at = place.Key("files");
    const json& files = machine["files"];
    if (!files.is_object()) WrongType(at, files, "an object of files by Windows path");
    std::vector<std::wstring> seen;
    for (const auto& [key, file] : files.items()) {
      Place filePlace = at.Key(key);
      std::wstring path = WindowsPath(unicode::FromUtf8(key), filePlace);
      if (path.back() == L'\\') Refuse(filePlace, "a file path must not end with a backslash");
      RefuseSecondSpelling(seen, path, filePlace);
      seen.push_back(path);
      Object(file, filePlace, {"encoding", "text", "lines"});
      if (!file.contains("encoding")) Refuse(filePlace, "\"encoding\" is missing (one of " + EncodingNames() + ")");
      if (file.contains("text") == file.contains("lines")) Refuse(filePlace, "give either \"text\" or \"lines\"");
      std::string encodingName = unicode::ToUtf8(Text(file["encoding"], filePlace.Key("encoding")));
      auto encoding = EncodingNamed(encodingName);
      if (!encoding) Refuse(filePlace.Key("encoding"), "\"" + encodingName + "\" is not one of " + EncodingNames());
      Place textPlace = filePlace.Key(file.contains("text") ? "text" : "lines");
      std::string text = file.contains("text") ? unicode::ToUtf8(Text(file["text"], textPlace))
                                               : JoinedLines(file["lines"], textPlace);
      auto bytes = EncodeText(text, *encoding);
      if (!bytes) Refuse(textPlace, "holds characters that " + encodingName + " cannot store");
      scenario.files[path] = *bytes;
    }
  }
}

void ReadProducts(const json& value, const Place& place, Scenario& scenario) {
  if (!value.is_object()) WrongType(place, value, "an object of products by product code");
  for (const auto& [code, properties] : value.items()) {
    if (code.empty()) Refuse(place, "a product code must not be empty");
    scenario.products[unicode::FromUtf8(code)] = TextMap(properties, place.Key(code));
  }
}

ScenarioAction ReadAction(const json& value, const Place& place) {
  ScenarioAction action;
  Place namePlace = place;
  if (value.is_string()) {
    action.name = value.get<std::string>();
  } else if (value.is_object()) {
    Object(value, place, {"name", "deferred", "run_modes"});
    if (!value.contains("name")) Refuse(place, "\"name\" is missing");
    namePlace = place.Key("name");
    action.name = unicode::ToUtf8(Text(value["name"], namePlace));
    if (value.contains("deferred")) {
      if (!value["deferred"].is_boolean()) WrongType(place.Key("deferred"), value["deferred"], "true or false");
      action.deferred = value["deferred"].get<bool>();
    }
    if (value.contains("run_modes")) {
      Place at = place.Key("run_modes");
      const json& modes = value["run_modes"];
      if (!modes.is_array()) WrongType(at, modes, "an array of run mode names");
      for (std::size_t i = 0; i < modes.size(); ++i) {
        std::string name = unicode::ToUtf8(Text(modes[i], at.Index(i)));
        auto mode = RunModeNamed(name);
        if (!mode) Refuse(at.Index(i), "\"" + name + "\" is not a run mode (MSIRUNMODE_ADMIN ... MSIRUNMODE_COMMIT)");
        if (*mode == MSIRUNMODE_SCHEDULED)
          Refuse(at.Index(i), "a deferred action is scheduled: use \"deferred\": true");
        action.runModes.push_back(*mode);
      }
    }
  } else {
    WrongType(place, value, "an action name or an object with \"name\"");
  }
  if (!IsActionName(action.name)) {
    std::string known;
    for (std::string_view name : kActionNames) known += (known.empty() ? "" : ", ") + std::string(name);
    Refuse(namePlace, "unknown action \"" + action.name + "\"; the library exports " + known);
  }
  return action;
}

// nlohmann keeps the last of two equal keys without a word; a scenario would then lose a file
// or a property silently.
json ParseRejectingDuplicateKeys(std::string_view text) {
  std::vector<std::set<std::string>> open;
  std::string duplicate;
  auto callback = [&](int, json::parse_event_t event, json& parsed) {
    if (event == json::parse_event_t::object_start) open.emplace_back();
    if (event == json::parse_event_t::object_end) open.pop_back();
    if (event == json::parse_event_t::key && duplicate.empty() &&
        !open.back().insert(parsed.get<std::string>()).second) {
      duplicate = parsed.get<std::string>();
    }
    return true;
  };
  json document;
  try {
    document = json::parse(text, callback);
  } catch (const json::parse_error& error) {
    std::string what = error.what();
    std::size_t bracket = what.find("] ");
    throw ScenarioError("not valid JSON: " + (bracket == std::string::npos ? what : what.substr(bracket + 2)));
  }
  if (!duplicate.empty()) throw ScenarioError("the key " + json(duplicate).dump() + " appears twice in one object");
  return document;
}

}  // namespace

std::optional<MSIRUNMODE> RunModeNamed(std::string_view name) {
  for (std::size_t i = 0; i < kRunModeNames.size(); ++i) {
    if (kRunModeNames[i] == name) return static_cast<MSIRUNMODE>(i);
  }
  return std::nullopt;
}

Scenario ParseScenario(std::string_view jsonText) {
  json document = ParseRejectingDuplicateKeys(jsonText);
  Place top = Top();
  Object(document, top, {"comment", "machine", "products", "properties", "actions", "clock", "guid_seed"});
  Scenario scenario;
  if (document.contains("comment")) scenario.comment = unicode::ToUtf8(Text(document["comment"], top.Key("comment")));
  if (document.contains("machine")) ReadMachine(document["machine"], top.Key("machine"), scenario);
  if (document.contains("products")) ReadProducts(document["products"], top.Key("products"), scenario);
  if (document.contains("properties")) scenario.properties = TextMap(document["properties"], top.Key("properties"));
  if (!document.contains("actions")) Refuse(top, "\"actions\" is missing");
  const json& actions = document["actions"];
  if (!actions.is_array()) WrongType(top.Key("actions"), actions, "an array of actions");
  for (std::size_t i = 0; i < actions.size(); ++i) {
    scenario.actions.push_back(ReadAction(actions[i], top.Key("actions").Index(i)));
  }
  if (document.contains("clock")) {
    Place at = top.Key("clock");
    std::string text = unicode::ToUtf8(Text(document["clock"], at));
    scenario.clock = ParseUtcTime(text);
    if (!scenario.clock) Refuse(at, "\"" + text + "\" is not a UTC time like 2026-03-02T09:30:00Z");
  }
  if (document.contains("guid_seed")) {
    const json& seed = document["guid_seed"];
    if (!seed.is_number_unsigned()) WrongType(top.Key("guid_seed"), seed, "a whole number of at least 0");
    scenario.guidSeed = seed.get<std::uint64_t>();
  }
  return scenario;
}

Scenario LoadScenario(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw ScenarioError(file.string() + ": cannot be read");
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  try {
    return ParseScenario(text);
  } catch (const ScenarioError& error) {
    throw ScenarioError(file.string() + ": " + error.what());
  }
}

}  // namespace msisim
