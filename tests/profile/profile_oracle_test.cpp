// Every recorded profile case replayed against the stand-in. Where this project decided against
// the recorded answer, the case carries the outcome of that decision instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>

#include "oracle_replay.h"
#include "platform/unicode.h"
#include "test_machine.h"

namespace {

using nlohmann::json;
using profile_testing::HexOf;
using namespace std::string_literals;

std::string Utf16Hex(const std::wstring& text) { return HexOf("\xFF\xFE" + unicode::ToUtf16LeBytes(text)); }

void ExpectList(json& result, DWORD ret, const std::string& raw) {
  result["ret"] = ret;
  result["raw"] = raw;
  result["text"] = raw.substr(0, raw.find('\0'));
}

// WritePrivateProfileSectionW with an empty list must leave the section in the file, creating it
// (and a missing file, in the encoding of a new file) where the recorded implementation left
// things alone. The rewrite that follows changes the bytes and the last error it leaves.
const std::map<std::string, std::function<void(json&)>>& Decisions() {
  static const std::map<std::string, std::function<void(json&)>> decisions = {
      {"writesection-002",
       [](json& c) {
         c["calls"][0]["result"]["lasterror"] = ERROR_INVALID_PARAMETER;
         ExpectList(c["calls"][1]["result"], 19, "First\0Second\0Third\0\0"s);
         c["final"]["hex"] = HexOf("[First]\r\nA=1\r\nB=2\r\n[Second]\r\nC=3\r\n[Third]\r\n");
       }},
      {"writesection-003",
       [](json& c) {
         c["calls"][0]["result"]["lasterror"] = ERROR_SUCCESS;
         c["final"] = {{"exists", true}, {"hex", HexOf("[S]\r\n")}};
       }},
      {"writesection-005",
       [](json& c) {
         c["calls"][0]["result"]["lasterror"] = ERROR_ALREADY_EXISTS;
         c["final"]["hex"] = Utf16Hex(L"[S]\r\n");
       }},
      {"writesection-014", [](json& c) { c["calls"][0]["result"]["lasterror"] = ERROR_INVALID_PARAMETER; }},
      {"sequence-002",
       [](json& c) {
         c["calls"][2]["result"]["lasterror"] = ERROR_ALREADY_EXISTS;
         c["calls"][4]["result"]["hex"] = Utf16Hex(
             L"[Directories]\r\nProjectPath=C:\\Projects\r\nIESFileLocation=C:\\IES\\\r\n[Colors]\r\n"
             L"[Install]\r\nInstallGUID={11111111-2222-3333-4444-555555555555}\r\n");
         c["calls"][5]["result"]["lasterror"] = ERROR_ALREADY_EXISTS;
       }},
  };
  return decisions;
}

class ProfileOracle : public testing_support::MachineTest {};

TEST_F(ProfileOracle, EveryRecordedCaseAgrees) {
  const char* oracle = std::getenv("ORACLE_DIR");
  ASSERT_NE(oracle, nullptr) << "ORACLE_DIR is not set";
  std::ifstream in(std::filesystem::path(oracle) / "profile.jsonl");
  ASSERT_TRUE(in) << "no profile.jsonl in " << oracle;

  int total = 0, agreeing = 0, resultsAgreeing = 0, errorsAgreeing = 0;
  std::size_t decided = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.empty()) continue;
    json testCase = json::parse(line);
    std::string id = testCase["id"].get<std::string>();
    if (auto decision = Decisions().find(id); decision != Decisions().end()) {
      decision->second(testCase);
      ++decided;
    }
    std::wstring folder = L"C:\\probe\\" + unicode::FromUtf8(id) + L"\\";
    std::filesystem::create_directories(Host(folder));

    profile_testing::Differences differences = profile_testing::ReplayCase(testCase, folder);
    ++total;
    resultsAgreeing += differences.results.empty();
    errorsAgreeing += differences.lastErrors.empty();
    agreeing += differences.results.empty() && differences.lastErrors.empty();
    for (const std::string& difference : differences.results) ADD_FAILURE() << id << ": " << difference;
    for (const std::string& difference : differences.lastErrors) ADD_FAILURE() << id << ": " << difference;
  }
  std::cout << "profile cases: " << agreeing << " of " << total << " agree (results and bytes " << resultsAgreeing
            << ", last error " << errorsAgreeing << ")\n";
  EXPECT_GT(total, 0);
  EXPECT_EQ(decided, Decisions().size()) << "a decided case is no longer recorded";
}

}  // namespace
