// A Windows path held as plain wide text: textual operations that never touch the file system,
// and the file and folder operations built on them. The backslash is the only separator, nothing
// is normalised and comparisons are exact; callers rely on the trailing-backslash behaviour of
// each operation.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/win32.h"

namespace fsutil {

// Which entries FilePath::List returns. Any other value returns none of its own but still recurses.
enum ListMode : int { Files = 0, Folders = 1, FilesAndFolders = 2 };

class FilePath {
 public:
  FilePath() = default;
  explicit FilePath(std::wstring text) : text_(std::move(text)) {}

  const std::wstring& Text() const { return text_; }

  // Text operations; the returning ones leave the path unchanged.
  // The path with exactly one backslash at its end.
  std::wstring Combine() const;
  // The path and name joined by exactly one backslash; an empty name or a single backslash adds none.
  std::wstring Combine(const std::wstring& name) const;
  // The last component; the untrimmed path itself when there is no separator past index 0.
  std::wstring FileName() const;
  // The last full stop of the last component and what follows, or empty.
  std::wstring Extension() const;
  // The containing folder with one trailing backslash, or empty.
  std::wstring ParentFolder() const;
  // The drive ("C:\") or share ("\\srv\share\") root, or empty.
  std::wstring Root() const;
  void StripToFileName();
  void RemoveLastComponent();

  // File system operations; results the Win32 way (nonzero success), an empty text or list.
  // Creates an empty, uniquely named "bex....tmp" file in the folder the path names.
  std::wstring TempFileName() const;
  // Creates the folder "path text + name" (no separator inserted), after the path's missing ancestors.
  BOOL CreateFolder(const std::wstring& name) const;
  BOOL Delete(bool recursive) const;
  // Full paths in pre-order; folders end with a backslash.
  std::vector<std::wstring> List(ListMode mode, bool recursive) const;
  BOOL Copy(const std::wstring& destination, bool overwrite) const;
  // Replaces the extension in place, and renames the file or folder on disk when asked.
  void ChangeExtension(const std::wstring& extension, bool renameOnDisk);

 private:
  std::wstring text_;
};

// Replaces every occurrence of old, left to right, never rescanning inserted text; returns the count.
int ReplaceAll(std::wstring& text, std::wstring_view old, std::wstring_view replacement);

}  // namespace fsutil
