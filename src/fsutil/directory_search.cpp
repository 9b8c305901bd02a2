#include "fsutil/directory_search.h"

#include <vector>

namespace fsutil {

namespace {

// The search refuses patterns that do not fit a classic path buffer.
constexpr std::size_t kLongestPattern = MAX_PATH - 1;

}  // namespace

std::wstring AbsoluteSearchFolder(const std::wstring& pattern) {
  std::vector<wchar_t> buffer(MAX_PATH);
  LPWSTR filePart = nullptr;
  DWORD length = GetFullPathNameW(pattern.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), &filePart);
  if (length >= buffer.size()) {
    buffer.resize(length + 1);
    length = GetFullPathNameW(pattern.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), &filePart);
  }
  if (length == 0 || length >= buffer.size()) return {};
  std::wstring full(buffer.data(), length);
  if (filePart == nullptr) return full;
  return full.substr(0, static_cast<std::size_t>(filePart - buffer.data()));
}

DirectorySearch::~DirectorySearch() {
  if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
}

bool DirectorySearch::Start(const std::wstring& pattern) {
  if (handle_ != INVALID_HANDLE_VALUE) {
    FindClose(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }
  if (pattern.size() > kLongestPattern) return false;
  folder_ = AbsoluteSearchFolder(pattern);
  if (folder_.empty()) return false;
  handle_ = FindFirstFileW(pattern.c_str(), &found_);
  return handle_ != INVALID_HANDLE_VALUE;
}

bool DirectorySearch::Next() { return handle_ != INVALID_HANDLE_VALUE && FindNextFileW(handle_, &found_) != FALSE; }

bool DirectorySearch::IsDotEntry() const {
  std::wstring name = Name();
  return name == L"." || name == L"..";
}

}  // namespace fsutil
