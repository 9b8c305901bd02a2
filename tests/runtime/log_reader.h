// Reads the action log of the test machine back as text.
#pragma once

#include <string>
#include <vector>

#include "test_machine.h"

namespace testing_support {

inline const wchar_t* kLogPath = L"C:\\Temp\\PelmoCustom.log";

// The log's lines after its byte-order mark, split at "\r\n".
inline std::vector<std::wstring> LogLines(const std::string& bytes) {
  std::wstring text = FromUtf16(bytes.size() >= 2 ? bytes.substr(2) : std::string{});
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

}  // namespace testing_support
