#include "inideploy/profile_read.h"

#include <vector>

#include "platform/win32.h"

namespace inideploy {

namespace {

constexpr DWORD kProfileBuffer = 2080;

std::wstring TextUpToNull(const std::vector<wchar_t>& buffer) {
  std::size_t length = 0;
  while (length < buffer.size() && buffer[length] != L'\0') ++length;
  return std::wstring(buffer.data(), length);
}

}  // namespace

std::wstring ReadProfileString(const std::wstring& filePath, const std::wstring& section, const std::wstring& key,
                               const wchar_t* defaultValue) {
  std::vector<wchar_t> buffer(kProfileBuffer, L'\0');
  GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue, buffer.data(), kProfileBuffer, filePath.c_str());
  return TextUpToNull(buffer);
}

std::wstring FirstSectionEntry(const std::wstring& filePath, const std::wstring& section) {
  std::vector<wchar_t> buffer(kProfileBuffer, L'\0');
  GetPrivateProfileSectionW(section.c_str(), buffer.data(), kProfileBuffer, filePath.c_str());
  return TextUpToNull(buffer);
}

}  // namespace inideploy
