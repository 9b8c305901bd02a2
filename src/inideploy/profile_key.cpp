#include "inideploy/profile_key.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/win32.h"

namespace inideploy {

namespace {

// A default no real value takes: the read gives it back only when the key is missing.
constexpr std::wstring_view kMissingKey = L"{7E8054E7-F7BA-4FA5-B150-52031E63E8AD}";
constexpr DWORD kProfileBufferSize = 2080;

}  // namespace

bool ProfileKeyExists(const std::wstring& filePath, const std::wstring& section, const std::wstring& key) {
  std::array<wchar_t, kProfileBufferSize> buffer{};
  const std::wstring fallback(kMissingKey);
  GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(), kProfileBufferSize,
                           filePath.c_str());
  std::wstring_view text(buffer.data(), std::find(buffer.begin(), buffer.end(), L'\0') - buffer.begin());
  return text != kMissingKey;
}

}  // namespace inideploy
