#include "runtime/action_log.h"

#include "runtime/bex_io_file.h"

namespace runtime {

void PrepareActionLog(const std::wstring& path) {
  if (_waccess(path.c_str(), 0) == 0) {
    BexIoFile existing;
    HRESULT opened = existing.Open(path, GENERIC_READ, OPEN_EXISTING);
    BOOL unicode = existing.IsUnicode();
    existing.Close();
    if (SUCCEEDED(opened) && unicode) return;
    DWORD attributes = GetFileAttributesW(path.c_str());
    SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    DeleteFileW(path.c_str());
  }
  HANDLE created = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (created == INVALID_HANDLE_VALUE) return;
  const unsigned char byteOrderMark[2] = {0xFF, 0xFE};
  DWORD written = 0;
  WriteFile(created, byteOrderMark, sizeof byteOrderMark, &written, nullptr);
  CloseHandle(created);
}

void AppendLogLine(const std::wstring& path, const std::wstring& message) {
  BexIoFile log;
  if (FAILED(log.Open(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS))) return;
  DWORD high = 0;
  DWORD low = GetFileSize(log.Handle(), &high);
  std::uint64_t size = (low == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS)
                           ? log.FileSize()
                           : (static_cast<std::uint64_t>(high) << 32) | low;
  // An empty log gets UTF-16 text even though its empty head does not test as Unicode.
  std::int32_t charSize = size == 0 ? 2 : log.CharSize();
  SetFilePointer(log.Handle(), 0, nullptr, FILE_END);
  std::string bytes = TextBytes(message + L"\r\n", charSize);
  DWORD written = 0;
  WriteFile(log.Handle(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace runtime
