#include "windows_path.h"

#include <cwctype>

#include "platform/unicode.h"

namespace msisim {

namespace {
bool IsSeparator(wchar_t c) { return c == L'\\'; }
}  // namespace

bool IsWindowsPath(std::wstring_view path) {
  if (path.size() >= 3 && std::iswalpha(static_cast<wint_t>(path[0])) && path[0] < 0x80 && path[1] == L':' &&
      IsSeparator(path[2])) {
    return true;
  }
  if (path.size() < 5 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return false;
  std::size_t serverEnd = path.find(L'\\', 2);
  if (serverEnd == std::wstring_view::npos || serverEnd == 2) return false;
  std::size_t shareEnd = path.find(L'\\', serverEnd + 1);
  std::size_t shareLength = (shareEnd == std::wstring_view::npos ? path.size() : shareEnd) - (serverEnd + 1);
  return shareLength > 0;
}

std::optional<std::wstring> WindowsPathOf(const std::filesystem::path& root, const std::filesystem::path& host) {
  std::filesystem::path relative = host.lexically_relative(root);
  auto part = relative.begin();
  if (relative.empty() || part == relative.end()) return std::nullopt;
  std::string first = part->string();
  std::wstring windows;
  ++part;
  if (first == "unc") {
    windows = L"\\";
    for (int i = 0; i < 2; ++i, ++part) {
      if (part == relative.end()) return std::nullopt;
      windows += L"\\" + unicode::FromUtf8(part->string());
    }
  } else if (first.size() == 1 && first[0] >= 'a' && first[0] <= 'z') {
    windows = {static_cast<wchar_t>(std::towupper(static_cast<wint_t>(first[0]))), L':'};
  } else {
    return std::nullopt;
  }
  if (part == relative.end()) return windows + L"\\";
  for (; part != relative.end(); ++part) windows += L"\\" + unicode::FromUtf8(part->string());
  return windows;
}

bool SamePathIgnoringCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::towupper(static_cast<wint_t>(a[i])) != std::towupper(static_cast<wint_t>(b[i]))) return false;
  }
  return true;
}

}  // namespace msisim
