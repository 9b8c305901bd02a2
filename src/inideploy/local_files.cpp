#include "inideploy/local_files.h"

#include <vector>

#include "fsutil/file_path.h"
#include "platform/win32.h"

namespace inideploy {

namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  bool Close() {
    if (!IsOpen()) return false;
    bool closed = CloseHandle(handle_) != FALSE;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

std::wstring TempFolder() {
  std::vector<wchar_t> buffer(MAX_PATH, L'\0');
  GetTempPathW(MAX_PATH, buffer.data());
  return std::wstring(buffer.data());
}

}  // namespace

bool Exists(const std::wstring& path) { return _waccess(path.c_str(), 0) == 0; }

bool WriteWholeFile(const std::wstring& path, std::string_view bytes) {
  FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return false;
  DWORD written = 0;
  bool ok = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE &&
            written == bytes.size();
  return file.Close() && ok;
}

bool IsEmptyFile(const std::wstring& path) {
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return false;
  DWORD high = 0;
  DWORD low = GetFileSize(file.Get(), &high);
  return low == 0 && high == 0;
}

std::wstring NewTempFile(const std::wstring& extension) {
  std::wstring folder = TempFolder();
  if (folder.empty()) return {};
  std::wstring name = fsutil::FilePath(folder).TempFileName();
  if (name.empty()) return {};
  fsutil::FilePath file(name);
  file.ChangeExtension(extension, true);
  return file.Text();
}

}  // namespace inideploy
