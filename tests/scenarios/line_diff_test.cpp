#include "line_diff.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Lines = std::vector<std::string>;

Lines Numbers(int count) {
  Lines lines;
  for (int i = 1; i <= count; ++i) lines.push_back(std::to_string(i));
  return lines;
}

Lines Replaced(Lines lines, std::initializer_list<std::pair<int, const char*>> changes) {
  for (const auto& [number, text] : changes) lines[static_cast<std::size_t>(number - 1)] = text;
  return lines;
}

std::size_t LongestCommonSubsequence(const Lines& a, const Lines& b) {
  std::vector<std::vector<std::size_t>> table(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = a.size(); i-- > 0;) {
    for (std::size_t j = b.size(); j-- > 0;) {
      table[i][j] = a[i] == b[j] ? table[i + 1][j + 1] + 1 : std::max(table[i + 1][j], table[i][j + 1]);
    }
  }
  return table[0][0];
}

// The hunks as `diff -u` prints them for the same two inputs.
struct UnifiedCase {
  const char* what;
  Lines before;
  Lines after;
  std::string hunks;
};

TEST(UnifiedDiff, PrintsHunksAsDiffDoes) {
  const std::vector<UnifiedCase> cases{
      {"nothing differs", Numbers(5), Numbers(5), ""},
      {"a new file", {}, {"x", "y"}, "@@ -0,0 +1,2 @@\n+x\n+y\n"},
      {"a removed file", {"x", "y"}, {}, "@@ -1,2 +0,0 @@\n-x\n-y\n"},
      {"one line changed at the start", Numbers(5), Replaced(Numbers(5), {{1, "one"}}),
       "@@ -1,4 +1,4 @@\n-1\n+one\n 2\n 3\n 4\n"},
      {"changes six lines apart share a hunk", Numbers(20), Replaced(Numbers(20), {{5, "five"}, {12, "twelve"}}),
       "@@ -2,14 +2,14 @@\n 2\n 3\n 4\n-5\n+five\n 6\n 7\n 8\n 9\n 10\n 11\n-12\n+twelve\n 13\n 14\n 15\n"},
      {"changes seven lines apart get two hunks", Numbers(20), Replaced(Numbers(20), {{5, "five"}, {13, "thirteen"}}),
       "@@ -2,7 +2,7 @@\n 2\n 3\n 4\n-5\n+five\n 6\n 7\n 8\n"
       "@@ -10,7 +10,7 @@\n 10\n 11\n 12\n-13\n+thirteen\n 14\n 15\n 16\n"},
      {"a line added at the end", {"a", "b"}, {"a", "b", "c"}, "@@ -1,2 +1,3 @@\n a\n b\n+c\n"},
      {"a one-line file changed", {"a"}, {"b"}, "@@ -1 +1 @@\n-a\n+b\n"},
  };
  for (const UnifiedCase& c : cases) {
    std::string expected = c.hunks.empty() ? "" : "--- old\n+++ new\n" + c.hunks;
    EXPECT_EQ(msisim::UnifiedDiff(c.before, c.after, "old", "new"), expected) << c.what;
  }
}

// On random texts with many repeated lines the script must rebuild both sides and keep as many
// lines as the longest common subsequence: a shortest edit script, not just some edit script.
TEST(DiffLines, IsAShortestScriptThatRebuildsBothSides) {
  std::mt19937 random(20261210);
  for (int round = 0; round < 500; ++round) {
    auto text = [&random] {
      Lines lines(random() % 12);
      for (std::string& line : lines) line = std::string(1, static_cast<char>('a' + random() % 3));
      return lines;
    };
    Lines before = text(), after = text();
    Lines rebuiltBefore, rebuiltAfter;
    std::size_t kept = 0;
    for (const msisim::DiffLine& line : msisim::DiffLines(before, after)) {
      if (line.kind != '+') rebuiltBefore.push_back(line.text);
      if (line.kind != '-') rebuiltAfter.push_back(line.text);
      kept += line.kind == ' ' ? 1 : 0;
    }
    ASSERT_EQ(rebuiltBefore, before);
    ASSERT_EQ(rebuiltAfter, after);
    ASSERT_EQ(kept, LongestCommonSubsequence(before, after));
  }
}

}  // namespace
