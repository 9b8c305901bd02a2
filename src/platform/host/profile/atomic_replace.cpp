#include "profile/atomic_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "kernel/machine.h"

namespace fs = std::filesystem;

namespace standin::profile {

namespace {

constexpr DWORD kErrorDiskFull = 112;

DWORD ErrorFromErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case ENOSPC:
    case EDQUOT:
      return kErrorDiskFull;
    default:
      return ERROR_ACCESS_DENIED;
  }
}

// The temporary file until it has been renamed over the target; removed on every other way out,
// an exception included.
class TemporaryFile {
 public:
  explicit TemporaryFile(const fs::path& target)
      : path_(target.parent_path() / ("." + target.filename().string() + ".XXXXXX")) {
    std::string name = path_.string();
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    path_ = name;
  }
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int Fd() const { return fd_; }
  const fs::path& Path() const { return path_; }
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }
  void Commit() { committed_ = true; }

 private:
  fs::path path_;
  int fd_ = -1;
  bool committed_ = false;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

// Extended attributes carry what the permission bits cannot (the stand-in keeps a file's access
// list in one), so the new file takes them all. Failing to copy one of the user namespace fails
// the replace; the others (ACLs, labels) are kept where the process may set them.
bool CopyExtendedAttributes(const fs::path& from, int to) {
  ssize_t size = ::llistxattr(from.c_str(), nullptr, 0);
  if (size <= 0) return true;
  std::string names(static_cast<std::size_t>(size), '\0');
  size = ::llistxattr(from.c_str(), names.data(), names.size());
  if (size < 0) return false;
  names.resize(static_cast<std::size_t>(size));
  for (std::size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
    const char* name = names.c_str() + at;
    bool required = std::string_view(name).starts_with("user.");
    ssize_t length = ::lgetxattr(from.c_str(), name, nullptr, 0);
    std::string value(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length >= 0) length = ::lgetxattr(from.c_str(), name, value.data(), value.size());
    bool copied = length >= 0 && ::fsetxattr(to, name, value.data(), static_cast<std::size_t>(length), 0) == 0;
    if (!copied && required) return false;
  }
  return true;
}

}  // namespace

DWORD ReplaceFileContent(const fs::path& target, std::string_view bytes) {
  struct stat existing {};
  bool existed = ::lstat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);

  TemporaryFile temporary(target);
  if (temporary.Fd() < 0) return ErrorFromErrno(errno);
  if (!WriteAll(temporary.Fd(), bytes)) return ErrorFromErrno(errno);
  if (existed) {
    ::fchmod(temporary.Fd(), existing.st_mode & 07777);
    // Only a privileged process can hand the file back to its owner; others keep it as theirs.
    if (::fchown(temporary.Fd(), existing.st_uid, existing.st_gid) != 0) errno = 0;
    if (!CopyExtendedAttributes(target, temporary.Fd())) return ERROR_ACCESS_DENIED;
  } else {
    ::fchmod(temporary.Fd(), 0644);
  }
  if (!temporary.Close()) return ErrorFromErrno(errno);

  InjectedFault("ReplaceFileContent");
  if (::rename(temporary.Path().c_str(), target.c_str()) != 0) return ErrorFromErrno(errno);
  temporary.Commit();
  return ERROR_SUCCESS;
}

}  // namespace standin::profile
