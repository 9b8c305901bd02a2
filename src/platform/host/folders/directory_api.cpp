// CreateDirectoryW and RemoveDirectoryW over the machine's host folders.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "files/open_file.h"
#include "files/path_map.h"
#include "folders/folder_paths.h"

namespace fs = std::filesystem;
using standin::Fail;

extern "C" BOOL CreateDirectoryW(LPCWSTR lpPathName, void* /*lpSecurityAttributes*/) {
  standin::InjectedFault("CreateDirectoryW");
  if (lpPathName == nullptr || *lpPathName == L'\0') return Fail(ERROR_PATH_NOT_FOUND, FALSE);
  std::wstring full = standin::FullWindowsPath(lpPathName);
  fs::path host = standin::MapToHost(lpPathName);
  std::error_code error;
  bool exists = fs::exists(fs::symlink_status(host, error));
  if (standin::IsVolumeRoot(full)) return Fail(exists ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND, FALSE);
  if (exists) return Fail(ERROR_ALREADY_EXISTS, FALSE);
  if (::mkdir(host.c_str(), 0755) != 0) return Fail(standin::ErrorFromErrno(errno), FALSE);
  return TRUE;
}

extern "C" BOOL RemoveDirectoryW(LPCWSTR lpPathName) {
  standin::InjectedFault("RemoveDirectoryW");
  if (lpPathName == nullptr || *lpPathName == L'\0') return Fail(ERROR_PATH_NOT_FOUND, FALSE);
  fs::path host = standin::MapToHost(lpPathName);
  std::error_code error;
  auto status = fs::symlink_status(host, error);
  if (!fs::exists(status)) return Fail(standin::NotFoundError(host), FALSE);
  if (!fs::is_directory(status)) return Fail(standin::kErrorDirectory, FALSE);
  if (standin::IsVolumeRoot(standin::FullWindowsPath(lpPathName))) return Fail(ERROR_ACCESS_DENIED, FALSE);
  // A read-only folder cannot be removed on Windows, even by an administrator.
  if (standin::IsReadOnly(host)) return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (::rmdir(host.c_str()) != 0) return Fail(standin::ErrorFromErrno(errno == EEXIST ? ENOTEMPTY : errno), FALSE);
  return TRUE;
}
