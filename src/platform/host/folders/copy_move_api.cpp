// CopyFileW and MoveFileW. A copy is written aside in the destination folder and then put in
// place in one step, so that no reader ever sees half a file and a link planted under the
// destination name is replaced rather than followed.
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "files/open_file.h"
#include "files/path_map.h"
#include "folders/folder_paths.h"
#include "platform/unicode.h"

namespace fs = std::filesystem;
using standin::Fail;

namespace {

// Files the stand-in creates get these permissions; the read-only attribute clears the owner's write bit.
constexpr mode_t kNewFileMode = 0644;

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

bool CopyBytes(int from, int to) {
  char buffer[65536];
  for (;;) {
    ssize_t got = ::read(from, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    for (ssize_t put = 0; put < got;) {
      ssize_t written = ::write(to, buffer + put, static_cast<std::size_t>(got - put));
      if (written < 0 && errno == EINTR) continue;
      if (written < 0) return false;
      put += written;
    }
  }
}

// A new, exclusively created file beside the destination; empty on failure (errno set).
fs::path CreateAside(const fs::path& destination, int& fd) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path aside = destination.parent_path() / ("." + destination.filename().string() + ".copy" +
                                                  std::to_string(::getpid()) + "-" + std::to_string(attempt));
    fd = ::open(aside.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kNewFileMode);
    if (fd >= 0) return aside;
    if (errno != EEXIST) return {};
  }
  return {};
}

// Fills the aside file with the source's bytes, write time and read-only attribute. The copy
// gets fresh security, as on Windows, not the source's access entries.
bool FillCopy(int source, int copy, const struct stat& sourceInfo) {
  if (!CopyBytes(source, copy) || ::fsync(copy) != 0) return false;
  struct timespec times[2] = {sourceInfo.st_atim, sourceInfo.st_mtim};
  mode_t mode = (sourceInfo.st_mode & S_IWUSR) != 0 ? kNewFileMode : (kNewFileMode & ~mode_t{S_IWUSR});
  return ::futimens(copy, times) == 0 && ::fchmod(copy, mode) == 0;
}

}  // namespace

extern "C" BOOL CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists) {
  standin::InjectedFault("CopyFileW");
  if (lpExistingFileName == nullptr || *lpExistingFileName == L'\0' || lpNewFileName == nullptr ||
      *lpNewFileName == L'\0') {
    return Fail(ERROR_PATH_NOT_FOUND, FALSE);
  }
  fs::path from = standin::MapToHost(lpExistingFileName);
  fs::path to = standin::MapToHost(lpNewFileName);
  std::error_code error;
  auto fromStatus = fs::status(from, error);
  if (!fs::exists(fromStatus)) return Fail(standin::NotFoundError(from), FALSE);
  if (fs::is_directory(fromStatus)) return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (standin::HeldExclusively(from)) return Fail(ERROR_SHARING_VIOLATION, FALSE);
  if (!fs::is_directory(to.parent_path(), error)) return Fail(ERROR_PATH_NOT_FOUND, FALSE);

  auto toStatus = fs::symlink_status(to, error);
  if (fs::exists(toStatus)) {
    if (bFailIfExists) return Fail(ERROR_FILE_EXISTS, FALSE);
    if (fs::is_directory(toStatus)) return Fail(ERROR_ACCESS_DENIED, FALSE);
    if (fs::equivalent(from, to, error)) return Fail(ERROR_SHARING_VIOLATION, FALSE);
    if (standin::IsReadOnly(to)) return Fail(ERROR_ACCESS_DENIED, FALSE);
    if (standin::HeldExclusively(to)) return Fail(ERROR_SHARING_VIOLATION, FALSE);
  }

  Descriptor source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat sourceInfo {};
  if (source.Get() < 0 || ::fstat(source.Get(), &sourceInfo) != 0) return Fail(standin::ErrorFromErrno(errno), FALSE);
  int copyFd = -1;
  fs::path aside = CreateAside(to, copyFd);
  if (aside.empty()) return Fail(standin::ErrorFromErrno(errno), FALSE);
  Descriptor copy(copyFd);
  bool filled = FillCopy(source.Get(), copy.Get(), sourceInfo);
  // Without overwriting, the copy takes the name only if it is still free: link fails on any entry.
  bool placed =
      filled && (bFailIfExists ? ::link(aside.c_str(), to.c_str()) == 0 : ::rename(aside.c_str(), to.c_str()) == 0);
  int placeError = errno;
  ::unlink(aside.c_str());
  if (!filled) return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (!placed) return Fail(placeError == EEXIST ? ERROR_FILE_EXISTS : standin::ErrorFromErrno(placeError), FALSE);
  return TRUE;
}

extern "C" BOOL MoveFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName) {
  standin::InjectedFault("MoveFileW");
  if (lpExistingFileName == nullptr || *lpExistingFileName == L'\0' || lpNewFileName == nullptr ||
      *lpNewFileName == L'\0') {
    return Fail(ERROR_PATH_NOT_FOUND, FALSE);
  }
  if (standin::IsVolumeRoot(standin::FullWindowsPath(lpExistingFileName)) ||
      standin::IsVolumeRoot(standin::FullWindowsPath(lpNewFileName))) {
    return Fail(ERROR_ACCESS_DENIED, FALSE);
  }
  fs::path from = standin::MapToHost(lpExistingFileName);
  fs::path to = standin::MapToHost(lpNewFileName);
  std::error_code error;
  auto fromStatus = fs::symlink_status(from, error);
  if (!fs::exists(fromStatus)) return Fail(standin::NotFoundError(from), FALSE);
  if (!fs::is_directory(fromStatus) && standin::HeldExclusively(from)) return Fail(ERROR_SHARING_VIOLATION, FALSE);
  if (!fs::is_directory(to.parent_path(), error)) return Fail(ERROR_PATH_NOT_FOUND, FALSE);
  if (fs::exists(fs::symlink_status(to, error))) {
    // A new name that differs only in case finds the entry itself: give it the spelling asked for.
    if (!fs::equivalent(from, to, error)) return Fail(ERROR_ALREADY_EXISTS, FALSE);
    std::wstring full = standin::FullWindowsPath(lpNewFileName);
    while (!full.empty() && full.back() == L'\\') full.pop_back();
    to = to.parent_path() / unicode::ToUtf8(full.substr(full.rfind(L'\\') + 1));
  }
  // Never replaces an entry that appeared meanwhile.
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), to == from ? 0 : RENAME_NOREPLACE) != 0) {
    return Fail(errno == EEXIST ? ERROR_ALREADY_EXISTS : standin::ErrorFromErrno(errno), FALSE);
  }
  return TRUE;
}
