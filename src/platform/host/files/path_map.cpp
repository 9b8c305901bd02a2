#include "files/path_map.h"

#include <cwctype>
#include <system_error>
#include <vector>

#include "kernel/machine.h"
#include "platform/unicode.h"

namespace standin {

namespace {

std::vector<std::wstring> SplitComponents(std::wstring_view text) {
  std::vector<std::wstring> parts;
  std::wstring current;
  for (wchar_t c : text) {
    if (c == L'\\') {
      parts.push_back(current);
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  parts.push_back(current);
  return parts;
}

std::wstring TrimTrailingDotsAndBlanks(std::wstring name) {
  if (name == L"." || name == L"..") return name;
  while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.pop_back();
  return name;
}

// Splits an absolute Windows path into its root ("C:\" or "\\srv\share\") and the rest.
std::pair<std::wstring, std::wstring> SplitRoot(const std::wstring& path) {
  if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') {
    std::size_t server = path.find(L'\\', 2);
    if (server == std::wstring::npos) return {path + L"\\", L""};
    std::size_t share = path.find(L'\\', server + 1);
    if (share == std::wstring::npos) return {path + L"\\", L""};
    return {path.substr(0, share + 1), path.substr(share + 1)};
  }
  return {path.substr(0, 3), path.substr(3)};
}

}  // namespace

bool NamesEqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::towupper(static_cast<wint_t>(a[i])) != std::towupper(static_cast<wint_t>(b[i]))) return false;
  }
  return true;
}

std::wstring FullWindowsPath(std::wstring_view input) {
  if (input.empty()) return {};
  std::wstring path(input);
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  if (path.rfind(L"\\\\?\\", 0) == 0) path.erase(0, 4);

  const std::wstring& current = TheMachine().setup.currentFolder;
  std::wstring absolute;
  if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') {
    absolute = path;
  } else if (path.size() >= 2 && path[1] == L':' && std::iswalpha(static_cast<wint_t>(path[0]))) {
    std::wstring drive{static_cast<wchar_t>(std::towupper(static_cast<wint_t>(path[0]))), L':', L'\\'};
    std::wstring rest = path.substr(2);
    if (!rest.empty() && rest[0] == L'\\') rest.erase(0, 1);
    absolute = drive + rest;
  } else if (path[0] == L'\\') {
    absolute = SplitRoot(current).first + path.substr(1);
  } else {
    absolute = current + (current.empty() || current.back() == L'\\' ? L"" : L"\\") + path;
  }

  auto [root, rest] = SplitRoot(absolute);
  std::vector<std::wstring> kept;
  std::vector<std::wstring> parts = SplitComponents(rest);
  bool trailingSeparator = !rest.empty() && rest.back() == L'\\';
  for (std::size_t i = 0; i < parts.size(); ++i) {
    std::wstring part = TrimTrailingDotsAndBlanks(parts[i]);
    if (part.empty() || part == L".") continue;
    if (part == L"..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    kept.push_back(part);
  }
  std::wstring result = root;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (i > 0) result += L'\\';
    result += kept[i];
  }
  if (trailingSeparator && !kept.empty()) result += L'\\';
  return result;
}

std::filesystem::path MapToHost(std::wstring_view windowsPath) {
  namespace fs = std::filesystem;
  std::wstring full = FullWindowsPath(windowsPath);
  fs::path host = TheMachine().setup.root;
  if (full.empty()) return host / "invalid";
  auto [root, rest] = SplitRoot(full);
  if (root.rfind(L"\\\\", 0) == 0) {
    host /= "unc";
    for (const std::wstring& part : SplitComponents(root.substr(2))) {
      if (!part.empty()) host /= unicode::ToUtf8(part);
    }
  } else {
    host /= std::string(1, static_cast<char>(std::towlower(static_cast<wint_t>(root[0]))));
  }
  for (const std::wstring& part : SplitComponents(rest)) {
    if (part.empty()) continue;
    std::string name = unicode::ToUtf8(part);
    std::error_code error;
    if (!fs::exists(fs::symlink_status(host / name, error))) {
      for (const auto& entry : fs::directory_iterator(host, error)) {
        std::wstring candidate = unicode::FromUtf8(entry.path().filename().string());
        if (NamesEqualIgnoringCase(candidate, part)) {
          name = entry.path().filename().string();
          break;
        }
      }
    }
    host /= name;
  }
  return host;
}

}  // namespace standin
