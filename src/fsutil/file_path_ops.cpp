// The FilePath operations on single files and folders: temporary names, folder creation and the
// extension change with its rename on disk.
#include "fsutil/file_checks.h"
#include "fsutil/file_path.h"

namespace fsutil {

std::wstring FilePath::TempFileName() const {
  // The buffer stays zero-filled when the call fails, which yields the empty name.
  std::wstring name(MAX_PATH, L'\0');
  GetTempFileNameW(text_.c_str(), L"bex", 0, name.data());
  name.resize(name.find(L'\0'));
  return name;
}

BOOL FilePath::CreateFolder(const std::wstring& name) const {
  if (text_.empty()) return FALSE;
  // Creates the path itself after its missing ancestors; a failure shows in the final call.
  if (!Exists(text_)) FilePath(ParentFolder()).CreateFolder(FileName());
  if (name.empty()) return TRUE;
  return CreateDirectoryW((text_ + name).c_str(), nullptr);
}

void FilePath::ChangeExtension(const std::wstring& extension, bool renameOnDisk) {
  std::wstring renamed = text_.substr(0, text_.size() - Extension().size());
  std::size_t firstKept = extension.find_first_not_of(L'.');
  renamed += L'.';
  if (firstKept != std::wstring::npos) renamed += extension.substr(firstKept);

  if (renameOnDisk) {
    if (IsFolder(text_) && Root() != FilePath(renamed).Root()) {
      if (Copy(renamed, false)) Delete(true);
    } else {
      MoveFileW(text_.c_str(), renamed.c_str());
    }
  }
  text_ = std::move(renamed);
}

}  // namespace fsutil
