// Reading a profile file's text into sections and keys, line by line in one pass.
#include "profile/ini_document.h"

namespace standin::profile {

namespace {

// Names and values are C strings to the callers: a NUL character inside a line ends them.
std::wstring UpToNul(std::wstring_view text) { return std::wstring(text.substr(0, text.find(L'\0'))); }

// The next line without its end; CR, LF and runs of them all end a line.
std::wstring_view NextLine(std::wstring_view text, std::size_t& pos) {
  std::size_t start = pos;
  while (pos < text.size() && text[pos] != L'\n' && text[pos] != L'\r') ++pos;
  std::wstring_view line = text.substr(start, pos - start);
  while (pos < text.size() && (text[pos] == L'\n' || text[pos] == L'\r')) ++pos;
  return line;
}

}  // namespace

IniDocument ParseIni(std::wstring_view text) {
  IniDocument document;
  document.sections.emplace_back();
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::wstring_view line = TrimProfileSpace(NextLine(text, pos));
    if (line.empty()) continue;
    IniSection& section = document.sections.back();

    // A header runs to the last ']' of the line; what follows it is dropped.
    if (line.front() == L'[') {
      std::size_t close = line.rfind(L']');
      if (close != std::wstring_view::npos) {
        document.sections.push_back({UpToNul(TrimProfileSpace(line.substr(1, close - 1))), {}});
        continue;
      }
    }

    std::wstring_view name = line;
    std::optional<std::wstring> value;
    std::size_t equals = line.find(L'=');
    if (equals != std::wstring_view::npos) {
      name = TrimProfileSpace(line.substr(0, equals));
      value = UpToNul(TrimLeadingProfileSpace(line.substr(equals + 1)));
    }
    // Of two unnamed keys in a row only the first is kept.
    if (name.empty() && !section.keys.empty() && section.keys.back().name.empty()) continue;
    section.keys.push_back({UpToNul(name), std::move(value)});
  }
  return document;
}

}  // namespace standin::profile
