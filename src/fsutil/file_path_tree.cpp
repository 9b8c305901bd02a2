// The FilePath operations that walk folders: listing, deleting and copying. The whole-tree ones
// collect the complete folder list first and work through it from the end, so that every folder
// is handled after all the folders listed below it.
#include <algorithm>

#include "fsutil/directory_search.h"
#include "fsutil/file_checks.h"
#include "fsutil/file_path.h"

namespace fsutil {

namespace {

std::wstring SearchPattern(const FilePath& path) {
  return path.Text().find(L'*') != std::wstring::npos ? path.Text() : path.Combine(L"*.*");
}

void AppendListing(const FilePath& path, ListMode mode, bool recursive, std::vector<std::wstring>& listing) {
  DirectorySearch search;
  for (bool found = search.Start(SearchPattern(path)); found; found = search.Next()) {
    if (search.IsDotEntry()) continue;
    if (search.IsFolder()) {
      FilePath folder(search.FullPath());
      if (mode == Folders || mode == FilesAndFolders) listing.push_back(folder.Combine());
      // Sub-folders are visited whatever the mode.
      if (recursive) AppendListing(folder, mode, recursive, listing);
    } else if (mode == Files || mode == FilesAndFolders) {
      listing.push_back(search.FullPath());
    }
  }
}

}  // namespace

std::vector<std::wstring> FilePath::List(ListMode mode, bool recursive) const {
  std::vector<std::wstring> listing;
  AppendListing(*this, mode, recursive, listing);
  return listing;
}

BOOL FilePath::Delete(bool recursive) const {
  if (!IsFolder(text_)) {
    ClearReadOnly(text_);
    return DeleteFileW(text_.c_str());
  }
  if (!recursive) return RemoveDirectoryW(text_.c_str());

  std::vector<std::wstring> folders{text_};
  std::vector<std::wstring> below = List(Folders, true);
  folders.insert(folders.end(), below.begin(), below.end());
  // What cannot be removed does not stop the walk; it makes its ancestors, and so the whole
  // operation, fail.
  BOOL removed = FALSE;
  for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
    std::vector<std::wstring> files = FilePath(*folder).List(Files, false);
    for (auto file = files.rbegin(); file != files.rend(); ++file) {
      ClearReadOnly(*file);
      DeleteFileW(file->c_str());
    }
    removed = RemoveDirectoryW(folder->c_str());
  }
  return removed;
}

BOOL FilePath::Copy(const std::wstring& destination, bool overwrite) const {
  if (!IsFolder(text_)) {
    FilePath(FilePath(destination).ParentFolder()).CreateFolder(L"");
    return CopyFileW(text_.c_str(), destination.c_str(), overwrite ? FALSE : TRUE);
  }

  std::vector<std::wstring> folders = List(Folders, true);
  if (std::find(folders.begin(), folders.end(), text_) == folders.end()) folders.push_back(text_);
  // Each listed folder is the searched folder's absolute form followed by its relative part, which
  // goes under the destination. Taking that part by its position keeps a trailing backslash or a
  // relative spelling of the path from misplacing the copies.
  const std::wstring listedRoot = AbsoluteSearchFolder(SearchPattern(*this));
  const FilePath target(destination);
  for (auto source = folders.rbegin(); source != folders.rend(); ++source) {
    if (*source != text_ && !source->starts_with(listedRoot)) return FALSE;
    std::wstring targetFolder = *source == text_ ? destination : target.Combine(source->substr(listedRoot.size()));
    if (!Exists(targetFolder) && !FilePath(targetFolder).CreateFolder(L"")) return FALSE;
    std::vector<std::wstring> files = FilePath(*source).List(Files, false);
    for (auto file = files.rbegin(); file != files.rend(); ++file) {
      FilePath copy(*file);
      if (!copy.Copy(FilePath(targetFolder).Combine(copy.FileName()), overwrite)) return FALSE;
    }
  }
  return TRUE;
}

}  // namespace fsutil
