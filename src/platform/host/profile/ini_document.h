// A profile file as kernel32 holds it between reading and rewriting: sections of keys in file
// order, duplicates and comment lines included, so that a rewrite keeps everything it parsed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin::profile {

struct IniKey {
  std::wstring name;
  // Empty optional: a line without '=' (a comment line or a lone word).
  std::optional<std::wstring> value;
};

struct IniSection {
  // Empty for the lines before the first header (and for a "[]" header).
  std::wstring name;
  std::vector<IniKey> keys;
};

// How a name asked for is compared with the stored ones. Reading a key and setting one ignore the
// blanks around the name asked for; removals and the section lists take it as given. Stored names
// are compared as they are: a parsed name has no blanks around it, one created by this call keeps
// its trailing ones (so that the entries of one section list given with a padded name each create a
// section of their own, as kernel32 does).
enum class Naming { IgnoringBlanks, AsGiven };

struct IniDocument {
  std::vector<IniSection> sections;

  IniSection* FirstSection(std::wstring_view name, Naming naming);
  const IniSection* FirstSection(std::wstring_view name, Naming naming) const;
  // The key as a read sees it: looked up in the first section of that name only.
  const IniKey* FindKey(std::wstring_view section, std::wstring_view key) const;

  // Each edit answers whether the document changed, so that an edit that changes nothing leaves
  // the file untouched.
  bool RemoveFirstSection(std::wstring_view name);
  // Removes the first key of that name, looking through every section of the name. Removals take
  // the names as given.
  bool RemoveKey(std::wstring_view section, std::wstring_view key);
  // Sets a key in the first section of that name, creating what is missing at the end (a new name
  // loses its leading blanks, its trailing ones stay). The value loses its leading blanks; with
  // appendAlways a new key is added even when one of the name exists.
  bool SetValue(std::wstring_view section, std::wstring_view key, std::wstring_view value, bool appendAlways);
  // Removes the keys of every section of that name; the headers stay.
  bool ClearSections(std::wstring_view name);
  // Appends an empty section when none of the name exists.
  bool EnsureSection(std::wstring_view name);
};

// Whitespace as the profile parser trims it: blank, the ASCII controls from tab to carriage return
// and Ctrl-Z (the old end-of-file mark). No-break and other Unicode spaces are text.
bool IsProfileSpace(wchar_t c);
std::wstring_view TrimProfileSpace(std::wstring_view text);
std::wstring_view TrimLeadingProfileSpace(std::wstring_view text);

// Section and key names compare ASCII letters without regard to case; other letters must be the
// same. With Naming::IgnoringBlanks the blanks around the name asked for do not count.
bool ProfileNamesMatch(std::wstring_view stored, std::wstring_view asked, Naming naming);

// Reads the text of a file; always yields the unnamed leading section first.
IniDocument ParseIni(std::wstring_view text);
// The text a rewrite puts into the file: every line ended by CR LF, blank lines gone.
std::wstring SerializeIni(const IniDocument& document);

}  // namespace standin::profile
