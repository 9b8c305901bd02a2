// GetTempFileNameW: "<folder>\<up to three prefix characters><hexadecimal number>.tmp".
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <set>
#include <string>
#include <system_error>

#include "files/path_map.h"
#include "folders/folder_paths.h"
#include "kernel/machine.h"
#include "platform/unicode.h"

namespace fs = std::filesystem;
using standin::Fail;

namespace {

std::wstring TempName(const std::wstring& folder, LPCWSTR prefix, UINT number) {
  std::wstring name = folder;
  if (name.back() != L'\\') name += L'\\';
  if (prefix != nullptr) name += std::wstring(prefix).substr(0, 3);
  wchar_t digits[9];
  int length = 0;
  do {
    digits[length++] = L"0123456789ABCDEF"[number % 16];
    number /= 16;
  } while (number != 0);
  while (length > 0) name += digits[--length];
  return name + L".tmp";
}

// The numbers whose names are in use under any extension, as "bex1A.xml" is after a temporary
// name was renamed to its final extension: handing out "bex1A.tmp" again would make that rename fail.
std::set<UINT> NumbersInUse(const fs::path& folder, std::wstring_view prefix) {
  std::set<UINT> used;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    std::wstring name = unicode::FromUtf8(entry.path().filename().string());
    if (name.size() <= prefix.size() || !standin::NamesEqualIgnoringCase(name.substr(0, prefix.size()), prefix))
      continue;
    std::size_t dot = name.find(L'.', prefix.size());
    std::wstring digits =
        name.substr(prefix.size(), dot == std::wstring::npos ? std::wstring::npos : dot - prefix.size());
    if (digits.empty() || digits.size() > 4 ||
        digits.find_first_not_of(L"0123456789ABCDEFabcdef") != std::wstring::npos) {
      continue;
    }
    used.insert(static_cast<UINT>(std::stoul(digits, nullptr, 16)));
  }
  return used;
}

UINT Deliver(const std::wstring& name, LPWSTR out, UINT number) {
  name.copy(out, name.size());
  out[name.size()] = L'\0';
  return number;
}

}  // namespace

extern "C" UINT GetTempFileNameW(LPCWSTR lpPathName, LPCWSTR lpPrefixString, UINT uUnique, LPWSTR lpTempFileName) {
  standin::InjectedFault("GetTempFileNameW");
  if (lpPathName == nullptr || lpTempFileName == nullptr) return Fail(ERROR_INVALID_PARAMETER, UINT{0});
  if (*lpPathName == L'\0') return Fail(standin::kErrorDirectory, UINT{0});
  const std::wstring folder = lpPathName;
  std::error_code error;
  if (!fs::is_directory(standin::MapToHost(folder), error)) return Fail(standin::kErrorDirectory, UINT{0});

  // Only the low 16 bits of a number count; the longest name decides whether the buffer holds it.
  if (TempName(folder, lpPrefixString, 0xFFFF).size() >= MAX_PATH) return Fail(standin::kErrorBufferOverflow, UINT{0});
  if (uUnique != 0) {
    return Deliver(TempName(folder, lpPrefixString, uUnique & 0xFFFF), lpTempFileName, uUnique & 0xFFFF);
  }

  // The lowest free number, so that runs on the same files name theirs alike. The file is created
  // exclusively and never through a link, so a name someone planted a link under is just taken.
  const std::wstring prefix = lpPrefixString == nullptr ? L"" : std::wstring(lpPrefixString).substr(0, 3);
  const std::set<UINT> used = NumbersInUse(standin::MapToHost(folder), prefix);
  for (UINT number = 1; number <= 0xFFFF; ++number) {
    if (used.contains(number)) continue;
    std::wstring name = TempName(folder, lpPrefixString, number);
    int fd = ::open(standin::MapToHost(name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0) {
      ::close(fd);
      return Deliver(name, lpTempFileName, number);
    }
    if (errno != EEXIST) return Fail(standin::ErrorFromErrno(errno), UINT{0});
  }
  return Fail(ERROR_FILE_EXISTS, UINT{0});
}
