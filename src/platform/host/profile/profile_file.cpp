#include "profile/profile_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "files/open_file.h"
#include "files/path_map.h"
#include "kernel/machine.h"
#include "profile/atomic_replace.h"

namespace fs = std::filesystem;

namespace standin::profile {

namespace {

constexpr wchar_t kWindowsFolder[] = L"C:\\Windows\\";

std::wstring WindowsPathOf(LPCWSTR fileName) {
  std::wstring name = fileName == nullptr ? L"win.ini" : fileName;
  bool bare = name.find_first_of(L"\\/") == std::wstring::npos && !(name.size() >= 2 && name[1] == L':');
  return bare ? kWindowsFolder + name : name;
}

bool ReadAll(const fs::path& path, std::string& bytes) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  char chunk[65536];
  ssize_t got = 0;
  while ((got = ::read(fd, chunk, sizeof chunk)) != 0) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) break;
    bytes.append(chunk, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return got == 0;
}

}  // namespace

bool OpenProfile(LPCWSTR fileName, ProfileAccess access, ProfileFile& profile) {
  profile = ProfileFile{};
  profile.hostPath = MapToHost(WindowsPathOf(fileName));
  std::error_code error;
  auto status = fs::symlink_status(profile.hostPath, error);
  if (!fs::exists(status)) {
    DWORD missing = NotFoundError(profile.hostPath);
    SetLastError(missing);
    return missing == ERROR_FILE_NOT_FOUND;
  }
  // A link is refused as CreateFileW refuses it, so that a link planted under the name cannot
  // steer a write elsewhere.
  if (!fs::is_regular_file(status)) return Fail(ERROR_ACCESS_DENIED, false);
  if (HeldExclusively(profile.hostPath)) return Fail(ERROR_SHARING_VIOLATION, false);
  if (access == ProfileAccess::Write && IsReadOnly(profile.hostPath)) return Fail(ERROR_ACCESS_DENIED, false);

  std::string bytes;
  if (!ReadAll(profile.hostPath, bytes)) return Fail(ERROR_ACCESS_DENIED, false);
  profile.existed = true;
  // An empty file holds no profile at all, not even the unnamed leading section.
  if (!bytes.empty()) {
    DecodedText decoded = DecodeProfileBytes(bytes);
    profile.encoding = decoded.encoding;
    profile.document = ParseIni(decoded.text);
  }
  SetLastError(ERROR_SUCCESS);
  return true;
}

bool SaveProfile(const ProfileFile& profile) {
  std::string bytes = EncodeProfileText(profile.encoding, SerializeIni(profile.document));
  DWORD error = ReplaceFileContent(profile.hostPath, bytes);
  if (error != ERROR_SUCCESS) return Fail(error, false);

  // The last error after a successful rewrite follows what kernel32 leaves behind: "already
  // exists" from replacing a file, "invalid parameter" from converting the empty text of an
  // unnamed section with no keys into 8-bit text. Callers must not rely on it.
  bool convertsEmptyText = false;
  if (profile.encoding == TextEncoding::Ansi || profile.encoding == TextEncoding::Utf8) {
    for (const IniSection& section : profile.document.sections) {
      convertsEmptyText |= section.name.empty() && section.keys.empty();
    }
  }
  SetLastError(convertsEmptyText ? ERROR_INVALID_PARAMETER : profile.existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return true;
}

}  // namespace standin::profile
