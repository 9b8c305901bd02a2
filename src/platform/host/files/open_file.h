// An open file of the stand-in: a host descriptor with the Windows access and share mode it was
// opened with.
#pragma once

#include <filesystem>

#include "kernel/machine.h"

namespace standin {

class OpenFile : public KernelObject {
 public:
  OpenFile(int fd, DWORD access) : fd_(fd), access_(access) {}
  ~OpenFile() override;
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  int Fd() const { return fd_; }
  bool CanRead() const { return (access_ & GENERIC_READ) != 0; }
  bool CanWrite() const { return (access_ & GENERIC_WRITE) != 0; }

 private:
  int fd_;
  DWORD access_;
};

// Share modes across processes: an open without sharing holds an exclusive lock on the file,
// any other open a shared one, so that a second open against an exclusive holder (in this or
// another process) fails with ERROR_SHARING_VIOLATION. Returns false when the lock is taken.
bool LockForShareMode(int fd, DWORD shareMode);
// Whether another holder keeps the file without sharing (deletes and copies then fail).
bool HeldExclusively(const std::filesystem::path& hostPath);

// The read-only attribute lives in the owner's write permission bit. The stand-in checks it
// itself, so that it holds even for a process running as root.
bool IsReadOnly(const std::filesystem::path& hostPath);

// The Win32 error for a host path that could not be found: 3 when its folder is missing, else 2.
DWORD NotFoundError(const std::filesystem::path& hostPath);

}  // namespace standin
