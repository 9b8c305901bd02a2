// The directory search: FindFirstFileW, FindNextFileW and FindClose. A search takes a snapshot of
// the folder when it starts and hands it out entry by entry, in name order without regard to
// case (as NTFS does) after "." and "..", which every folder but a volume root yields.
#include <sys/stat.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <system_error>
#include <vector>

#include "files/open_file.h"
#include "files/path_map.h"
#include "folders/folder_paths.h"
#include "folders/wildcard.h"
#include "platform/unicode.h"

namespace fs = std::filesystem;
using standin::Fail;

namespace {

// Seconds between 1601-01-01 and 1970-01-01, the epochs of FILETIME and of the host.
constexpr std::uint64_t kEpochDifference = 11644473600ull;

FILETIME ToFileTime(const struct timespec& time) {
  std::uint64_t ticks = (static_cast<std::uint64_t>(time.tv_sec) + kEpochDifference) * 10000000ull +
                        static_cast<std::uint64_t>(time.tv_nsec) / 100;
  return {static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

WIN32_FIND_DATAW Describe(const fs::path& host, const std::wstring& name) {
  WIN32_FIND_DATAW data{};
  struct stat info {};
  bool known = ::stat(host.c_str(), &info) == 0;
  bool folder = known && S_ISDIR(info.st_mode);
  DWORD attributes = folder ? FILE_ATTRIBUTE_DIRECTORY : 0;
  if (known && (info.st_mode & S_IWUSR) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
  data.dwFileAttributes = attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
  if (known) {
    data.ftCreationTime = ToFileTime(info.st_ctim);
    data.ftLastAccessTime = ToFileTime(info.st_atim);
    data.ftLastWriteTime = ToFileTime(info.st_mtim);
    auto size = folder ? std::uint64_t{0} : static_cast<std::uint64_t>(info.st_size);
    data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFFu);
  }
  std::size_t kept = std::min<std::size_t>(name.size(), MAX_PATH - 1);
  name.copy(data.cFileName, kept);
  data.cFileName[kept] = L'\0';
  return data;
}

std::wstring UpperCase(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
  return text;
}

class DirectorySearch : public standin::KernelObject {
 public:
  explicit DirectorySearch(std::vector<WIN32_FIND_DATAW> entries) : entries_(std::move(entries)) {}
  bool Next(WIN32_FIND_DATAW* data) {
    if (next_ == entries_.size()) return false;
    *data = entries_[next_++];
    return true;
  }

 private:
  std::vector<WIN32_FIND_DATAW> entries_;
  std::size_t next_ = 0;
};

// The entries of a folder whose names match the pattern, in the order a search yields them.
std::vector<WIN32_FIND_DATAW> MatchingEntries(const fs::path& folder, bool volumeRoot, std::wstring_view pattern) {
  std::vector<std::pair<std::wstring, WIN32_FIND_DATAW>> named;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    std::wstring name = unicode::FromUtf8(entry.path().filename().string());
    if (standin::MatchesWildcard(pattern, name)) named.emplace_back(UpperCase(name), Describe(entry.path(), name));
  }
  std::sort(named.begin(), named.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

  std::vector<WIN32_FIND_DATAW> entries;
  if (!volumeRoot) {
    for (const wchar_t* dots : {L".", L".."}) {
      if (standin::MatchesWildcard(pattern, dots)) entries.push_back(Describe(folder, dots));
    }
  }
  for (auto& [key, data] : named) entries.push_back(data);
  return entries;
}

}  // namespace

extern "C" HANDLE FindFirstFileW(LPCWSTR lpFileName, WIN32_FIND_DATAW* lpFindFileData) {
  standin::InjectedFault("FindFirstFileW");
  if (lpFileName == nullptr || *lpFileName == L'\0' || lpFindFileData == nullptr) {
    return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
  }
  std::wstring pattern = lpFileName;
  if (pattern.size() >= MAX_PATH) return Fail(ERROR_FILENAME_EXCED_RANGE, INVALID_HANDLE_VALUE);
  // The last component is the name pattern; it is matched as written, not normalised like a path.
  std::size_t separator = pattern.find_last_of(L"\\/");
  std::wstring namePattern = separator == std::wstring::npos ? pattern : pattern.substr(separator + 1);
  std::wstring folderText = separator == std::wstring::npos ? L"." : pattern.substr(0, separator + 1);
  if (namePattern.empty()) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);

  fs::path folder = standin::MapToHost(folderText);
  std::error_code error;
  if (!fs::is_directory(folder, error)) return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
  auto entries = MatchingEntries(folder, standin::IsVolumeRoot(standin::FullWindowsPath(folderText)), namePattern);
  if (entries.empty()) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);

  auto search = std::make_unique<DirectorySearch>(std::move(entries));
  search->Next(lpFindFileData);
  SetLastError(ERROR_SUCCESS);
  return standin::AddKernelObject(std::move(search));
}

extern "C" BOOL FindNextFileW(HANDLE hFindFile, WIN32_FIND_DATAW* lpFindFileData) {
  auto* search = standin::KernelObjectAs<DirectorySearch>(hFindFile);
  if (search == nullptr || lpFindFileData == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  return search->Next(lpFindFileData) ? TRUE : Fail(ERROR_NO_MORE_FILES, FALSE);
}

extern "C" BOOL FindClose(HANDLE hFindFile) {
  if (standin::KernelObjectAs<DirectorySearch>(hFindFile) == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  standin::RemoveKernelObject(hFindFile);
  return TRUE;
}
