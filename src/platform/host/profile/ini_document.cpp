#include "profile/ini_document.h"

#include <algorithm>

namespace standin::profile {

namespace {

wchar_t FoldAscii(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

std::wstring NewName(std::wstring_view name) { return std::wstring(TrimLeadingProfileSpace(name)); }

}  // namespace

bool IsProfileSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x1A; }

std::wstring_view TrimLeadingProfileSpace(std::wstring_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsProfileSpace(text[start])) ++start;
  return text.substr(start);
}

std::wstring_view TrimProfileSpace(std::wstring_view text) {
  text = TrimLeadingProfileSpace(text);
  std::size_t end = text.size();
  while (end > 0 && IsProfileSpace(text[end - 1])) --end;
  return text.substr(0, end);
}

bool ProfileNamesMatch(std::wstring_view stored, std::wstring_view asked, Naming naming) {
  if (naming == Naming::IgnoringBlanks) asked = TrimProfileSpace(asked);
  return stored.size() == asked.size() && std::equal(stored.begin(), stored.end(), asked.begin(),
                                                     [](wchar_t a, wchar_t b) { return FoldAscii(a) == FoldAscii(b); });
}

IniSection* IniDocument::FirstSection(std::wstring_view name, Naming naming) {
  auto it = std::find_if(sections.begin(), sections.end(),
                         [&](const IniSection& s) { return ProfileNamesMatch(s.name, name, naming); });
  return it == sections.end() ? nullptr : &*it;
}

const IniSection* IniDocument::FirstSection(std::wstring_view name, Naming naming) const {
  return const_cast<IniDocument*>(this)->FirstSection(name, naming);
}

const IniKey* IniDocument::FindKey(std::wstring_view section, std::wstring_view key) const {
  const IniSection* found = FirstSection(section, Naming::IgnoringBlanks);
  if (found == nullptr) return nullptr;
  auto it = std::find_if(found->keys.begin(), found->keys.end(),
                         [key](const IniKey& k) { return ProfileNamesMatch(k.name, key, Naming::IgnoringBlanks); });
  return it == found->keys.end() ? nullptr : &*it;
}

bool IniDocument::RemoveFirstSection(std::wstring_view name) {
  IniSection* found = FirstSection(name, Naming::AsGiven);
  if (found == nullptr) return false;
  sections.erase(sections.begin() + (found - sections.data()));
  return true;
}

bool IniDocument::RemoveKey(std::wstring_view section, std::wstring_view key) {
  for (IniSection& s : sections) {
    if (!ProfileNamesMatch(s.name, section, Naming::AsGiven)) continue;
    auto it = std::find_if(s.keys.begin(), s.keys.end(),
                           [key](const IniKey& k) { return ProfileNamesMatch(k.name, key, Naming::AsGiven); });
    if (it != s.keys.end()) {
      s.keys.erase(it);
      return true;
    }
  }
  return false;
}

bool IniDocument::SetValue(std::wstring_view section, std::wstring_view key, std::wstring_view value,
                           bool appendAlways) {
  value = TrimLeadingProfileSpace(value);
  IniSection* target = FirstSection(section, Naming::IgnoringBlanks);
  if (target == nullptr) {
    sections.push_back({NewName(section), {}});
    target = &sections.back();
  }
  IniKey* existing = nullptr;
  if (!appendAlways) {
    auto it = std::find_if(target->keys.begin(), target->keys.end(),
                           [key](const IniKey& k) { return ProfileNamesMatch(k.name, key, Naming::IgnoringBlanks); });
    if (it != target->keys.end()) existing = &*it;
  }
  if (existing == nullptr) {
    target->keys.push_back({NewName(key), std::wstring(value)});
    return true;
  }
  if (existing->value == value) return false;
  existing->value = std::wstring(value);
  return true;
}

bool IniDocument::ClearSections(std::wstring_view name) {
  bool changed = false;
  for (IniSection& s : sections) {
    if (ProfileNamesMatch(s.name, name, Naming::AsGiven) && !s.keys.empty()) {
      s.keys.clear();
      changed = true;
    }
  }
  return changed;
}

bool IniDocument::EnsureSection(std::wstring_view name) {
  if (FirstSection(name, Naming::IgnoringBlanks) != nullptr) return false;
  sections.push_back({NewName(name), {}});
  return true;
}

}  // namespace standin::profile
