#include "folders/folder_paths.h"

#include <cerrno>

namespace standin {

bool IsVolumeRoot(std::wstring_view fullPath) {
  while (!fullPath.empty() && fullPath.back() == L'\\') fullPath.remove_suffix(1);
  if (!fullPath.starts_with(L"\\\\")) return fullPath.size() <= 2;
  std::size_t server = fullPath.find(L'\\', 2);
  return server == std::wstring_view::npos || fullPath.find(L'\\', server + 1) == std::wstring_view::npos;
}

DWORD ErrorFromErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EEXIST:
      return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY:
      return ERROR_DIR_NOT_EMPTY;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case EXDEV:
      return kErrorNotSameDevice;
    case ENOSPC:
      return 112;  // ERROR_DISK_FULL
    default:
      return ERROR_ACCESS_DENIED;
  }
}

}  // namespace standin
