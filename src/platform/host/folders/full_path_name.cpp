// GetFullPathNameW: the absolute, normalised form of a path, and where its last component starts.
#include <string>

#include "files/path_map.h"
#include "kernel/machine.h"

using standin::Fail;

extern "C" DWORD GetFullPathNameW(LPCWSTR lpFileName, DWORD nBufferLength, LPWSTR lpBuffer, LPWSTR* lpFilePart) {
  if (lpFileName == nullptr) return Fail(ERROR_INVALID_PARAMETER, DWORD{0});
  if (*lpFileName == L'\0') return Fail(ERROR_INVALID_NAME, DWORD{0});
  std::wstring full = standin::FullWindowsPath(lpFileName);
  auto length = static_cast<DWORD>(full.size());
  if (lpBuffer == nullptr || nBufferLength <= length) return length + 1;
  full.copy(lpBuffer, full.size());
  lpBuffer[length] = L'\0';
  if (lpFilePart != nullptr) {
    std::size_t separator = full.rfind(L'\\');
    *lpFilePart = separator + 1 == full.size() ? nullptr : lpBuffer + separator + 1;
  }
  return length;
}
