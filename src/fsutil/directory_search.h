// One directory search over the platform's find-first / find-next calls, yielding each entry's
// name, whether it is a folder, and its full path in the absolute form of the searched folder.
#pragma once

#include <string>

#include "platform/win32.h"

namespace fsutil {

// The absolute form of a search pattern's folder, ending with a backslash; empty when it has none.
std::wstring AbsoluteSearchFolder(const std::wstring& pattern);

class DirectorySearch {
 public:
  DirectorySearch() = default;
  ~DirectorySearch();
  DirectorySearch(const DirectorySearch&) = delete;
  DirectorySearch& operator=(const DirectorySearch&) = delete;

  // Starts the search and moves to its first entry; false when it cannot start (no such folder,
  // no match, or a pattern the search refuses for its length).
  bool Start(const std::wstring& pattern);
  // Moves to the next entry; false when there is none.
  bool Next();

  std::wstring Name() const { return found_.cFileName; }
  bool IsFolder() const { return (found_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
  bool IsDotEntry() const;
  // The absolute folder of the pattern (ending with a backslash) followed by the entry's name.
  std::wstring FullPath() const { return folder_ + Name(); }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  std::wstring folder_;
  WIN32_FIND_DATAW found_{};
};

}  // namespace fsutil
