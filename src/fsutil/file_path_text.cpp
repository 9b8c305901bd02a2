// The textual operations of FilePath and ReplaceAll: pure functions of the text, no file system.
#include "fsutil/file_path.h"

namespace fsutil {

namespace {

constexpr wchar_t kSeparator = L'\\';

void TrimTrailingSeparators(std::wstring& text) {
  while (!text.empty() && text.back() == kSeparator) text.pop_back();
}

// The index of the last separator when it can split the text (one at index 0 is a root, not a split).
std::size_t SplittingSeparator(const std::wstring& text) {
  std::size_t position = text.rfind(kSeparator);
  return position == 0 ? std::wstring::npos : position;
}

}  // namespace

std::wstring FilePath::Combine() const {
  std::wstring joined = text_;
  if (joined.empty() || joined.back() != kSeparator) joined += kSeparator;
  return joined;
}

std::wstring FilePath::Combine(const std::wstring& name) const {
  std::wstring joined = Combine();
  if (name.empty() || name == L"\\") return joined;
  if (name.front() == kSeparator) TrimTrailingSeparators(joined);
  return joined + name;
}

std::wstring FilePath::FileName() const {
  std::wstring trimmed = text_;
  TrimTrailingSeparators(trimmed);
  std::size_t separator = SplittingSeparator(trimmed);
  if (separator == std::wstring::npos) return text_;
  return trimmed.substr(separator + 1);
}

std::wstring FilePath::Extension() const {
  std::wstring name = FileName();
  std::size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? std::wstring() : name.substr(dot);
}

void FilePath::StripToFileName() {
  if (text_.empty()) return;
  TrimTrailingSeparators(text_);
  std::size_t separator = SplittingSeparator(text_);
  if (separator != std::wstring::npos) text_.erase(0, separator + 1);
}

void FilePath::RemoveLastComponent() {
  TrimTrailingSeparators(text_);
  std::size_t separator = SplittingSeparator(text_);
  if (separator == std::wstring::npos) {
    text_.clear();
    return;
  }
  text_.resize(separator);
  TrimTrailingSeparators(text_);
  if (!text_.empty()) text_ += kSeparator;
}

std::wstring FilePath::ParentFolder() const {
  if (text_.empty()) return {};
  FilePath parent(text_);
  parent.RemoveLastComponent();
  return parent.text_;
}

std::wstring FilePath::Root() const {
  std::wstring copy = text_;
  std::size_t cut = 0;
  if (copy.starts_with(L"\\\\")) {
    TrimTrailingSeparators(copy);
    copy += kSeparator;
    std::size_t server = copy.find(kSeparator, 2);
    std::size_t share = server == std::wstring::npos ? server : copy.find(kSeparator, server + 1);
    cut = share == std::wstring::npos ? 0 : share;
  } else {
    std::size_t first = copy.find(kSeparator);
    cut = first == std::wstring::npos ? 0 : first;
  }
  std::wstring root = copy.substr(0, cut);
  if (!root.empty()) {
    TrimTrailingSeparators(root);
    root += kSeparator;
  }
  return root;
}

int ReplaceAll(std::wstring& text, std::wstring_view old, std::wstring_view replacement) {
  if (old.empty()) return 0;
  int count = 0;
  for (std::size_t position = text.find(old); position != std::wstring::npos;
       position = text.find(old, position + replacement.size())) {
    text.replace(position, old.size(), replacement);
    ++count;
  }
  return count;
}

}  // namespace fsutil
