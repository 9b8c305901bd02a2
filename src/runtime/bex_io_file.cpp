#include "runtime/bex_io_file.h"

#include "platform/unicode.h"

namespace runtime {

namespace {
constexpr DWORD kHeadSize = 256;

bool ValidHandle(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

std::uint64_t CurrentPosition(HANDLE handle) {
  LONG high = 0;
  DWORD low = SetFilePointer(handle, 0, &high, FILE_CURRENT);
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(high)) << 32) | low;
}
}  // namespace

std::string TextBytes(const std::wstring& text, std::int32_t charSize) {
  if (charSize == 2) return unicode::ToUtf16LeBytes(text);
  std::string bytes;
  bytes.reserve(text.size());
  for (wchar_t c : text) bytes.push_back(static_cast<unsigned>(c) <= 0xFF ? static_cast<char>(c) : '?');
  return bytes;
}

BexIoFile::~BexIoFile() { Close(); }

void BexIoFile::Close() {
  if (ValidHandle(handle_)) CloseHandle(handle_);
  handle_ = nullptr;
}

HRESULT BexIoFile::Open(const std::wstring& path, DWORD desiredAccess, DWORD creationDisposition) {
  Close();
  HANDLE handle = CreateFileW(path.c_str(), desiredAccess, 0, nullptr, creationDisposition, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
  if (!ValidHandle(handle)) return HRESULT_FROM_WIN32(GetLastError());
  handle_ = handle;

  DWORD high = 0;
  DWORD low = GetFileSize(handle_, &high);
  if (!(low == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS)) {
    fileSize_ = (static_cast<std::uint64_t>(high) << 32) | low;
  }

  DWORD headSize = fileSize_ < kHeadSize ? static_cast<DWORD>(fileSize_) : kHeadSize;
  std::string head(headSize, '\0');
  DWORD read = 0;
  ReadFile(handle_, head.data(), headSize, &read, nullptr);
  SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);

  isUnicode_ = IsTextUnicode(head.data(), static_cast<int>(headSize), nullptr);
  charSize_ = isUnicode_ ? 2 : 1;
  return S_OK;
}

BOOL BexIoFile::ReadLine(std::wstring& line) {
  if (!ValidHandle(handle_) || CurrentPosition(handle_) >= fileSize_) return FALSE;
  line.clear();
  while (CurrentPosition(handle_) < fileSize_) {
    unsigned char bytes[2] = {0, 0};
    DWORD read = 0;
    if (!ReadFile(handle_, bytes, static_cast<DWORD>(charSize_), &read, nullptr) || read == 0) break;
    auto c = static_cast<wchar_t>(charSize_ == 2 ? (bytes[0] | (bytes[1] << 8)) : bytes[0]);
    if (c == L'\n') break;
    line.push_back(c);
  }
  return TRUE;
}

HRESULT BexIoFile::Write(const std::wstring& text) {
  std::string bytes = TextBytes(text, charSize_);
  DWORD written = 0;
  BOOL ok = WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  return ok ? ok : HRESULT_FROM_WIN32(GetLastError());
}

}  // namespace runtime
