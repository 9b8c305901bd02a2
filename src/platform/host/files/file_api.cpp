// The kernel32 file calls that open, read, write and delete single files.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "files/open_file.h"
#include "files/path_map.h"

namespace fs = std::filesystem;
using standin::Fail;

namespace standin {

OpenFile::~OpenFile() { ::close(fd_); }

bool LockForShareMode(int fd, DWORD shareMode) {
  return ::flock(fd, (shareMode == 0 ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0;
}

bool HeldExclusively(const fs::path& hostPath) {
  int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
  ::close(fd);
  return held;
}

bool IsReadOnly(const fs::path& hostPath) {
  struct stat info {};
  return ::stat(hostPath.c_str(), &info) == 0 && (info.st_mode & S_IWUSR) == 0;
}

DWORD NotFoundError(const fs::path& hostPath) {
  std::error_code error;
  return fs::is_directory(hostPath.parent_path(), error) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

}  // namespace standin

extern "C" HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                              void* /*lpSecurityAttributes*/, DWORD dwCreationDisposition,
                              DWORD /*dwFlagsAndAttributes*/, HANDLE /*hTemplateFile*/) {
  standin::InjectedFault("CreateFileW");
  if (lpFileName == nullptr || *lpFileName == L'\0') return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
  fs::path host = standin::MapToHost(lpFileName);
  std::error_code error;
  if (!fs::is_directory(host.parent_path(), error)) return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
  auto status = fs::symlink_status(host, error);
  bool existed = fs::exists(status);
  if (fs::is_directory(status)) return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);

  bool create = false;
  bool truncate = false;
  switch (dwCreationDisposition) {
    case CREATE_NEW:
      if (existed) return Fail(ERROR_FILE_EXISTS, INVALID_HANDLE_VALUE);
      create = true;
      break;
    case CREATE_ALWAYS:
      create = true;
      truncate = existed;
      break;
    case OPEN_EXISTING:
      if (!existed) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
      break;
    case OPEN_ALWAYS:
      create = true;
      break;
    case TRUNCATE_EXISTING:
      if (!existed) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
      truncate = true;
      break;
    default:
      return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
  }
  bool writes = (dwDesiredAccess & GENERIC_WRITE) != 0 || truncate;
  if (existed && writes && standin::IsReadOnly(host)) return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);

  int flags = O_CLOEXEC | O_NOFOLLOW;
  flags |= writes ? ((dwDesiredAccess & GENERIC_READ) != 0 ? O_RDWR : O_WRONLY) : O_RDONLY;
  if (create) flags |= O_CREAT;
  if (dwCreationDisposition == CREATE_NEW) flags |= O_EXCL;
  int fd = ::open(host.c_str(), flags, 0644);
  if (fd < 0) {
    return Fail(errno == EEXIST ? ERROR_FILE_EXISTS : errno == ENOENT ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED,
                INVALID_HANDLE_VALUE);
  }
  if (!standin::LockForShareMode(fd, dwShareMode)) {
    ::close(fd);
    return Fail(ERROR_SHARING_VIOLATION, INVALID_HANDLE_VALUE);
  }
  if (truncate && ::ftruncate(fd, 0) != 0) {
    ::close(fd);
    return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
  }
  bool reportsExisting = existed && (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS);
  SetLastError(reportsExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return standin::AddKernelObject(std::make_unique<standin::OpenFile>(fd, dwDesiredAccess));
}

extern "C" BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
                         void* /*lpOverlapped*/) {
  auto* file = standin::KernelObjectAs<standin::OpenFile>(hFile);
  if (lpNumberOfBytesRead != nullptr) *lpNumberOfBytesRead = 0;
  if (file == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (!file->CanRead()) return Fail(ERROR_ACCESS_DENIED, FALSE);
  DWORD total = 0;
  auto* out = static_cast<char*>(lpBuffer);
  while (total < nNumberOfBytesToRead) {
    ssize_t got = ::read(file->Fd(), out + total, nNumberOfBytesToRead - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Fail(ERROR_ACCESS_DENIED, FALSE);
    if (got == 0) break;
    total += static_cast<DWORD>(got);
  }
  if (lpNumberOfBytesRead != nullptr) *lpNumberOfBytesRead = total;
  return TRUE;
}

extern "C" BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                          LPDWORD lpNumberOfBytesWritten, void* /*lpOverlapped*/) {
  auto* file = standin::KernelObjectAs<standin::OpenFile>(hFile);
  if (lpNumberOfBytesWritten != nullptr) *lpNumberOfBytesWritten = 0;
  if (file == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (!file->CanWrite()) return Fail(ERROR_ACCESS_DENIED, FALSE);
  DWORD total = 0;
  const auto* in = static_cast<const char*>(lpBuffer);
  while (total < nNumberOfBytesToWrite) {
    ssize_t put = ::write(file->Fd(), in + total, nNumberOfBytesToWrite - total);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return Fail(errno == ENOSPC ? 112u /* ERROR_DISK_FULL */ : ERROR_ACCESS_DENIED, FALSE);
    total += static_cast<DWORD>(put);
  }
  if (lpNumberOfBytesWritten != nullptr) *lpNumberOfBytesWritten = total;
  return TRUE;
}

extern "C" DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh, DWORD dwMoveMethod) {
  auto* file = standin::KernelObjectAs<standin::OpenFile>(hFile);
  if (file == nullptr) return Fail(ERROR_INVALID_HANDLE, INVALID_SET_FILE_POINTER);
  std::int64_t distance = lDistanceToMove;
  if (lpDistanceToMoveHigh != nullptr) {
    distance = static_cast<std::int64_t>((static_cast<std::uint64_t>(static_cast<std::uint32_t>(*lpDistanceToMoveHigh))
                                          << 32) |
                                         static_cast<std::uint32_t>(lDistanceToMove));
  }
  int whence = dwMoveMethod == FILE_BEGIN ? SEEK_SET : dwMoveMethod == FILE_CURRENT ? SEEK_CUR : SEEK_END;
  if (dwMoveMethod > FILE_END) return Fail(ERROR_INVALID_PARAMETER, INVALID_SET_FILE_POINTER);
  off_t position = ::lseek(file->Fd(), static_cast<off_t>(distance), whence);
  if (position < 0) return Fail(131u /* ERROR_NEGATIVE_SEEK */, INVALID_SET_FILE_POINTER);
  if (lpDistanceToMoveHigh != nullptr) *lpDistanceToMoveHigh = static_cast<LONG>(static_cast<std::uint64_t>(position) >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(static_cast<std::uint64_t>(position) & 0xFFFFFFFFu);
}

extern "C" DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
  auto* file = standin::KernelObjectAs<standin::OpenFile>(hFile);
  if (file == nullptr) return Fail(ERROR_INVALID_HANDLE, INVALID_FILE_SIZE);
  struct stat info {};
  if (::fstat(file->Fd(), &info) != 0) return Fail(ERROR_INVALID_HANDLE, INVALID_FILE_SIZE);
  auto size = static_cast<std::uint64_t>(info.st_size);
  if (lpFileSizeHigh != nullptr) *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(size & 0xFFFFFFFFu);
}

extern "C" BOOL CloseHandle(HANDLE hObject) {
  return standin::RemoveKernelObject(hObject) ? TRUE : Fail(ERROR_INVALID_HANDLE, FALSE);
}

extern "C" DWORD GetFileAttributesW(LPCWSTR lpFileName) {
  if (lpFileName == nullptr || *lpFileName == L'\0') return Fail(ERROR_PATH_NOT_FOUND, INVALID_FILE_ATTRIBUTES);
  fs::path host = standin::MapToHost(lpFileName);
  std::error_code error;
  auto status = fs::status(host, error);
  if (!fs::exists(status)) return Fail(standin::NotFoundError(host), INVALID_FILE_ATTRIBUTES);
  DWORD attributes = fs::is_directory(status) ? FILE_ATTRIBUTE_DIRECTORY : 0;
  if (standin::IsReadOnly(host)) attributes |= FILE_ATTRIBUTE_READONLY;
  return attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
}

extern "C" BOOL SetFileAttributesW(LPCWSTR lpFileName, DWORD dwFileAttributes) {
  if (lpFileName == nullptr || *lpFileName == L'\0') return Fail(ERROR_PATH_NOT_FOUND, FALSE);
  fs::path host = standin::MapToHost(lpFileName);
  struct stat info {};
  if (::stat(host.c_str(), &info) != 0) return Fail(standin::NotFoundError(host), FALSE);
  mode_t mode = info.st_mode & 07777;
  mode = (dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 ? (mode & ~mode_t{S_IWUSR | S_IWGRP | S_IWOTH})
                                                           : (mode | S_IWUSR);
  if (::chmod(host.c_str(), mode) != 0) return Fail(ERROR_ACCESS_DENIED, FALSE);
  return TRUE;
}

extern "C" BOOL DeleteFileW(LPCWSTR lpFileName) {
  standin::InjectedFault("DeleteFileW");
  if (lpFileName == nullptr || *lpFileName == L'\0') return Fail(ERROR_PATH_NOT_FOUND, FALSE);
  fs::path host = standin::MapToHost(lpFileName);
  std::error_code error;
  auto status = fs::symlink_status(host, error);
  if (!fs::exists(status)) return Fail(standin::NotFoundError(host), FALSE);
  if (fs::is_directory(status)) return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (standin::IsReadOnly(host)) return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (standin::HeldExclusively(host)) return Fail(ERROR_SHARING_VIOLATION, FALSE);
  if (::unlink(host.c_str()) != 0) return Fail(ERROR_ACCESS_DENIED, FALSE);
  return TRUE;
}

extern "C" int _waccess(const wchar_t* path, int mode) {
  if (path == nullptr || *path == L'\0') {
    errno = ENOENT;
    return -1;
  }
  fs::path host = standin::MapToHost(path);
  std::error_code error;
  auto status = fs::status(host, error);
  if (!fs::exists(status)) {
    errno = ENOENT;
    return -1;
  }
  // Folders are always writable for this check, as on Windows.
  if ((mode & 2) != 0 && !fs::is_directory(status) && standin::IsReadOnly(host)) {
    errno = EACCES;
    return -1;
  }
  return 0;
}

extern "C" DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer) {
  const std::wstring& folder = standin::TheMachine().setup.tempFolder;
  if (folder.empty()) return Fail(ERROR_PATH_NOT_FOUND, DWORD{0});
  auto length = static_cast<DWORD>(folder.size());
  if (lpBuffer == nullptr || nBufferLength <= length) return length + 1;
  folder.copy(lpBuffer, folder.size());
  lpBuffer[length] = L'\0';
  return length;
}
