// Replays every condition and formatted-text case answered by a real installer against the
// stand-in, in a custom-action session like the one the cases were answered in.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "platform/unicode.h"
#include "platform/win32.h"
#include "test_machine.h"

namespace {

using nlohmann::json;

std::wstring Wide(const json& text) { return unicode::FromUtf8(text.get<std::string>()); }
std::string Narrow(const std::wstring& text) { return unicode::ToUtf8(text); }

std::filesystem::path OracleFile(const std::string& name) {
  const char* folder = std::getenv("ORACLE_DIR");
  return std::filesystem::path(folder ? folder : "") / name;
}

json ReadJson(const std::string& name) {
  std::ifstream in(OracleFile(name));
  return json::parse(in);
}

std::vector<json> ReadCases(const std::string& name) {
  std::ifstream in(OracleFile(name));
  std::vector<json> cases;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) cases.push_back(json::parse(line));
  }
  return cases;
}

std::string NoteKind(const json& oracleCase) {
  if (!oracleCase.contains("note")) return "";
  std::string note = oracleCase["note"];
  return note.substr(0, note.find(':'));
}

// Counts agreement over a set of cases; a note decides a case its own way.
class Tally {
 public:
  explicit Tally(std::string what) : what_(std::move(what)) {}

  // agrees: the stand-in gave the reference answer; acceptable: an answer the note allows.
  void Add(const json& oracleCase, bool agrees, bool acceptable, const std::string& detail) {
    ++total_;
    std::string note = NoteKind(oracleCase);
    if (agrees || (note == "disputed" && acceptable)) {
      ++agreeing_;
    } else if (note == "informational") {
      informational_.push_back(oracleCase["id"].get<std::string>() + ": " + detail);
    } else {
      differing_.push_back(oracleCase["id"].get<std::string>() + ": " + detail);
    }
  }

  void Report() const {
    std::cout << what_ << ": " << agreeing_ << " of " << total_ << " cases agree";
    if (!informational_.empty()) std::cout << ", " << informational_.size() << " informational differ";
    std::cout << "\n";
    for (const auto& line : informational_) std::cout << "  informational " << line << "\n";
    for (const auto& line : differing_) ADD_FAILURE() << what_ << " " << line;
    EXPECT_GT(total_, 0) << "no " << what_ << " cases found under ORACLE_DIR";
  }

 private:
  std::string what_;
  int total_ = 0;
  int agreeing_ = 0;
  std::vector<std::string> informational_;
  std::vector<std::string> differing_;
};

class OracleReplay : public testing_support::MachineTest {
 protected:
  // The install session of the cases: its baseline properties, and after costing the feature
  // Main and the component C1 (in the install folder) about to be installed locally.
  MSIHANDLE OpenCaseSession(const json& oracleCase) {
    static const json meta = ReadJson("meta.json");
    standin::SessionSetup setup;
    for (const auto& [name, value] : meta["ca_baseline_properties"].items()) setup.properties[Wide(name)] = Wide(value);
    for (const auto& [name, value] : oracleCase["props"].items()) setup.properties[Wide(name)] = Wide(value);
    setup.features[L"Main"] = standin::ItemState{INSTALLSTATE_ABSENT, INSTALLSTATE_LOCAL};
    setup.components[L"C1"] = standin::ItemState{INSTALLSTATE_ABSENT, INSTALLSTATE_LOCAL};
    setup.componentFolders[L"C1"] = L"C:\\OracleProbe\\";
    for (const auto& [name, value] : oracleCase["env"].items()) {
      standin::SetEnvironmentVariable(Wide(name), value.is_null() ? std::nullopt : std::optional(Wide(value)));
    }
    return standin::OpenSession(setup);
  }

  void CloseCaseSession(MSIHANDLE session, const json& oracleCase) {
    MsiCloseHandle(session);
    for (const auto& [name, value] : oracleCase["env"].items())
      standin::SetEnvironmentVariable(Wide(name), std::nullopt);
  }
};

TEST_F(OracleReplay, EveryConditionCaseAnswersAsTheCustomActionSessionDid) {
  Tally tally("conditions");
  for (const json& oracleCase : ReadCases("conditions.jsonl")) {
    MSIHANDLE session = OpenCaseSession(oracleCase);
    int result = MsiEvaluateConditionW(session, Wide(oracleCase["expr"]).c_str());
    CloseCaseSession(session, oracleCase);
    int expected = oracleCase["ca_result"];
    bool boolean = result == MSICONDITION_TRUE || result == MSICONDITION_FALSE;
    tally.Add(oracleCase, result == expected, boolean,
              "expected " + std::to_string(expected) + ", got " + std::to_string(result));
  }
  tally.Report();
}

TEST_F(OracleReplay, EveryFormatCaseAnswersAsTheCustomActionSessionDid) {
  Tally tally("format");
  for (const json& oracleCase : ReadCases("format.jsonl")) {
    MSIHANDLE session = OpenCaseSession(oracleCase);
    MSIHANDLE record = MsiCreateRecord(oracleCase["record_fields"].get<UINT>());
    if (!oracleCase["text"].is_null()) MsiRecordSetStringW(record, 0, Wide(oracleCase["text"]).c_str());
    for (const auto& [index, value] : oracleCase["fields"].items()) {
      UINT field = static_cast<UINT>(std::stoul(index));
      if (value.is_object()) {
        MsiRecordSetInteger(record, field, value["int"].get<int>());
      } else if (!value.is_null()) {
        MsiRecordSetStringW(record, field, Wide(value).c_str());
      }
    }
    DWORD size = oracleCase["buf_size"];
    std::vector<wchar_t> buffer(size + 1, L'\0');
    DWORD length = size;
    UINT rc = MsiFormatRecordW(session, record, buffer.data(), &length);
    std::wstring out(buffer.begin(), std::find(buffer.begin(), buffer.begin() + size, L'\0'));
    DWORD queryLength = 0;
    UINT queryRc = MsiFormatRecordW(session, record, nullptr, &queryLength);
    MsiCloseHandle(record);
    CloseCaseSession(session, oracleCase);

    const json& expected = oracleCase["ca"];
    bool agrees = rc == expected["rc"].get<UINT>() && length == expected["len"].get<DWORD>() &&
                  out == Wide(expected["out"]) && queryRc == expected["query_rc"].get<UINT>() &&
                  queryLength == expected["query_len"].get<DWORD>();
    tally.Add(oracleCase, agrees, false,
              "expected rc " + std::to_string(expected["rc"].get<UINT>()) + " len " +
                  std::to_string(expected["len"].get<DWORD>()) + " \"" + expected["out"].get<std::string>() +
                  "\" (size query " + std::to_string(expected["query_len"].get<DWORD>()) + "), got rc " +
                  std::to_string(rc) + " len " + std::to_string(length) + " \"" + Narrow(out) + "\" (size query " +
                  std::to_string(queryLength) + ")");
  }
  tally.Report();
}

}  // namespace
