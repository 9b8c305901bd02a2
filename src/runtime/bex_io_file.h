// A small text-file class: opens a file without sharing, remembers its size and whether its head
// reads as Unicode text.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32.h"

namespace runtime {

class BexIoFile {
 public:
  BexIoFile() = default;
  BexIoFile(const BexIoFile&) = delete;
  BexIoFile& operator=(const BexIoFile&) = delete;
  virtual ~BexIoFile();

  // Reads one line up to a line feed (consumed, not stored); FALSE at the end of the file.
  virtual BOOL ReadLine(std::wstring& line);
  // Writes the text with charSize bytes per character; non-zero on success, else the HRESULT.
  virtual HRESULT Write(const std::wstring& text);

  // Opens without sharing, takes the size and tests the first 256 bytes for Unicode text.
  HRESULT Open(const std::wstring& path, DWORD desiredAccess, DWORD creationDisposition);
  void Close();

  HANDLE Handle() const { return handle_; }
  BOOL IsUnicode() const { return isUnicode_; }
  std::int32_t CharSize() const { return charSize_; }
  std::uint64_t FileSize() const { return fileSize_; }

 private:
  HANDLE handle_ = nullptr;
  BOOL isUnicode_ = FALSE;
  std::int32_t charSize_ = 1;
  std::uint64_t fileSize_ = 0;
};

// The bytes of a text as a file of the given character size holds it: UTF-16LE for 2, one byte
// per character for 1 (characters above 0xFF become "?").
std::string TextBytes(const std::wstring& text, std::int32_t charSize);

}  // namespace runtime
