// Replays one recorded profile case against the stand-in: builds the initial file, makes the
// calls in order and lists every way the results or the final bytes differ from the record.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace profile_testing {

struct Differences {
  // Return values, texts, buffer contents, dumps and the final bytes.
  std::vector<std::string> results;
  // The last error after each call.
  std::vector<std::string> lastErrors;
};

// Runs the case with its file in the given Windows folder (which must exist and be empty).
Differences ReplayCase(const nlohmann::json& testCase, const std::wstring& folder);

std::string HexOf(const std::string& bytes);
std::string BytesOfHex(const std::string& hex);

}  // namespace profile_testing
