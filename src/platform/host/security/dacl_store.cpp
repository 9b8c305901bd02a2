#include "security/dacl_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "files/open_file.h"
#include "folders/folder_paths.h"
#include "security/well_known_sids.h"

namespace fs = std::filesystem;

namespace standin {

namespace {

constexpr const char* kAttributeName = "user.standin.dacl";
constexpr ACCESS_MASK kFileReadData = 0x1;
constexpr ACCESS_MASK kFileWriteData = 0x2;
constexpr ACCESS_MASK kFileExecute = 0x20;

// One host file or folder, opened without following a link.
class Entry {
 public:
  explicit Entry(const fs::path& host) : fd_(::open(host.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)) {
    if (fd_ < 0) {
      error_ = errno == ENOENT ? NotFoundError(host) : ERROR_ACCESS_DENIED;
    } else if (::fstat(fd_, &info_) != 0) {
      error_ = ERROR_ACCESS_DENIED;
    }
  }
  ~Entry() {
    if (fd_ >= 0) ::close(fd_);
  }
  Entry(const Entry&) = delete;
  Entry& operator=(const Entry&) = delete;

  DWORD Error() const { return error_; }
  int Fd() const { return fd_; }
  bool IsFolder() const { return S_ISDIR(info_.st_mode); }
  mode_t Mode() const { return info_.st_mode & 07777; }

 private:
  int fd_;
  DWORD error_ = ERROR_SUCCESS;
  struct stat info_ {};
};

ACCESS_MASK MaskOfBits(mode_t bits) {
  ACCESS_MASK mask = 0;
  if ((bits & 4) != 0) mask |= GENERIC_READ;
  if ((bits & 2) != 0) mask |= GENERIC_WRITE;
  if ((bits & 1) != 0) mask |= GENERIC_EXECUTE;
  return mask;
}

mode_t BitsOfMask(ACCESS_MASK mask, bool folder) {
  mode_t bits = 0;
  if ((mask & (GENERIC_READ | GENERIC_ALL | kFileReadData)) != 0) bits |= folder ? 5 : 4;
  if ((mask & (GENERIC_WRITE | GENERIC_ALL | kFileWriteData)) != 0) bits |= 2;
  if ((mask & (GENERIC_EXECUTE | GENERIC_ALL | kFileExecute)) != 0) bits |= 1;
  return bits;
}

std::vector<Ace> DescribedByPermissions(mode_t mode) {
  std::vector<Ace> entries{{kAccessAllowedAce, 0, GENERIC_ALL, *WellKnownSid(WinBuiltinAdministratorsSid)}};
  if ((mode & 070) != 0)
    entries.push_back({kAccessAllowedAce, 0, MaskOfBits(mode >> 3), *WellKnownSid(WinBuiltinUsersSid)});
  if ((mode & 007) != 0)
    entries.push_back({kAccessAllowedAce, 0, MaskOfBits(mode), *WellKnownSid(WinAuthenticatedUserSid)});
  return entries;
}

mode_t PermissionsOf(const std::vector<Ace>& entries, mode_t mode, bool folder) {
  mode_t groupAllowed = 0, groupDenied = 0, otherAllowed = 0, otherDenied = 0;
  for (const Ace& entry : entries) {
    if ((entry.flags & kInheritOnlyAce) != 0) continue;
    bool everyUser = IsEveryUser(entry.sid);
    if (!everyUser && !IsLocalUsersGroup(entry.sid)) continue;
    mode_t bits = BitsOfMask(entry.mask, folder);
    bool denied = entry.type == kAccessDeniedAce;
    (denied ? groupDenied : groupAllowed) |= bits;
    if (everyUser) (denied ? otherDenied : otherAllowed) |= bits;
  }
  return (mode & 07700) | ((groupAllowed & ~groupDenied) << 3) | (otherAllowed & ~otherDenied);
}

DWORD Load(const Entry& entry, std::vector<Ace>& entries) {
  ssize_t size = ::fgetxattr(entry.Fd(), kAttributeName, nullptr, 0);
  if (size < 0 && (errno == ENODATA || errno == ENOTSUP)) {
    entries = DescribedByPermissions(entry.Mode());
    return ERROR_SUCCESS;
  }
  if (size < 0) return ERROR_ACCESS_DENIED;
  std::vector<BYTE> bytes(static_cast<std::size_t>(size));
  size = ::fgetxattr(entry.Fd(), kAttributeName, bytes.data(), bytes.size());
  if (size < 0) return ERROR_ACCESS_DENIED;
  std::optional<std::vector<Ace>> stored = ReadAcl(bytes.data(), static_cast<std::size_t>(size));
  if (!stored) return kErrorInvalidAcl;
  entries = std::move(*stored);
  return ERROR_SUCCESS;
}

DWORD Store(const Entry& entry, const std::vector<Ace>& entries) {
  std::vector<BYTE> bytes = AclBytes(entries);
  if (::fsetxattr(entry.Fd(), kAttributeName, bytes.data(), bytes.size(), 0) != 0) {
    return errno == ENOTSUP ? ERROR_NOT_SUPPORTED : ERROR_ACCESS_DENIED;
  }
  if (::fchmod(entry.Fd(), PermissionsOf(entries, entry.Mode(), entry.IsFolder())) != 0) return ERROR_ACCESS_DENIED;
  return ERROR_SUCCESS;
}

// What a folder's entries pass on to one entry inside it.
std::vector<Ace> InheritedFrom(const std::vector<Ace>& parent, bool folder) {
  std::vector<Ace> inherited;
  for (const Ace& entry : parent) {
    bool toFiles = (entry.flags & OBJECT_INHERIT_ACE) != 0;
    bool toFolders = (entry.flags & CONTAINER_INHERIT_ACE) != 0;
    bool onlyOneLevel = (entry.flags & kNoPropagateInheritAce) != 0;
    Ace passed{entry.type, kInheritedAce, entry.mask, entry.sid};
    if (!folder) {
      if (!toFiles) continue;
    } else if (toFolders) {
      if (!onlyOneLevel) passed.flags |= entry.flags & (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE);
    } else {
      // Reaches the files further down only.
      if (!toFiles || onlyOneLevel) continue;
      passed.flags |= OBJECT_INHERIT_ACE | kInheritOnlyAce;
    }
    inherited.push_back(std::move(passed));
  }
  return inherited;
}

// Gives every entry below a folder its own entries and what the folder passes on; an entry that
// cannot take them keeps its list, and the walk goes on.
void PassOn(const fs::path& folder, const std::vector<Ace>& entries) {
  std::error_code error;
  for (const auto& child : fs::directory_iterator(folder, error)) {
    if (child.is_symlink(error)) continue;
    Entry entry(child.path());
    std::vector<Ace> own;
    if (entry.Error() != ERROR_SUCCESS || Load(entry, own) != ERROR_SUCCESS) continue;
    std::erase_if(own, [](const Ace& ace) { return (ace.flags & kInheritedAce) != 0; });
    std::vector<Ace> inherited = InheritedFrom(entries, entry.IsFolder());
    own.insert(own.end(), inherited.begin(), inherited.end());
    Canonicalize(own);
    if (Store(entry, own) == ERROR_SUCCESS && entry.IsFolder()) PassOn(child.path(), own);
  }
}

}  // namespace

DWORD LoadDacl(const fs::path& host, std::vector<Ace>& entries) {
  Entry entry(host);
  return entry.Error() != ERROR_SUCCESS ? entry.Error() : Load(entry, entries);
}

DWORD StoreDacl(const fs::path& host, const std::vector<Ace>& entries) {
  Entry entry(host);
  if (entry.Error() != ERROR_SUCCESS) return entry.Error();
  if (DWORD error = Store(entry, entries); error != ERROR_SUCCESS) return error;
  if (entry.IsFolder()) PassOn(host, entries);
  return ERROR_SUCCESS;
}

}  // namespace standin
