#include "xmldoc/platform_file_manager.h"

#include <algorithm>
#include <string>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLFileMgr.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/util/XMLUniDefs.hpp>

#include "platform/win32.h"
#include "xmldoc/xml_text.h"

XERCES_CPP_NAMESPACE_USE

namespace xmldoc {

namespace {

HANDLE AsHandle(FileHandle file) { return static_cast<HANDLE>(file); }

bool IsDriveLetter(XMLCh c) { return (c >= chLatin_A && c <= chLatin_Z) || (c >= chLatin_a && c <= chLatin_z); }

// A file URL's path comes as "/C:/dir/file" or "//server/share/file"; Windows wants it without
// the leading slash.
const XMLCh* WithoutUrlSlash(const XMLCh* name) {
  if (name[0] != chForwardSlash || XMLString::stringLen(name) <= 3) return name;
  if (IsDriveLetter(name[1]) && name[2] == chColon) return name + 1;
  if (name[1] == name[2] && (name[1] == chForwardSlash || name[1] == chBackSlash)) return name + 1;
  return name;
}

class PlatformFileManager : public XMLFileMgr {
 public:
  FileHandle fileOpen(const XMLCh* path, bool toWrite, MemoryManager* const) override {
    if (path == nullptr) return XERCES_Invalid_File_Handle;
    std::wstring name = ToWide(WithoutUrlSlash(path));
    HANDLE file = toWrite ? CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr)
                          : CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? XERCES_Invalid_File_Handle : static_cast<FileHandle>(file);
  }

  FileHandle fileOpen(const char* path, bool toWrite, MemoryManager* const manager) override {
    if (path == nullptr) return XERCES_Invalid_File_Handle;
    XMLCh* wide = XMLString::transcode(path, manager);
    FileHandle file = fileOpen(wide, toWrite, manager);
    manager->deallocate(wide);
    return file;
  }

  // Documents never come from standard input here.
  FileHandle openStdIn(MemoryManager* const) override { return XERCES_Invalid_File_Handle; }

  void fileClose(FileHandle file, MemoryManager* const manager) override {
    if (!CloseHandle(AsHandle(file))) {
      ThrowXMLwithMemMgr(XMLPlatformUtilsException, XMLExcepts::File_CouldNotCloseFile, manager);
    }
  }

  void fileReset(FileHandle file, MemoryManager* const manager) override {
    if (SetFilePointer(AsHandle(file), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) {
      ThrowXMLwithMemMgr(XMLPlatformUtilsException, XMLExcepts::File_CouldNotResetFile, manager);
    }
  }

  XMLFilePos curPos(FileHandle file, MemoryManager* const manager) override {
    LONG high = 0;
    SetLastError(ERROR_SUCCESS);
    DWORD low = SetFilePointer(AsHandle(file), 0, &high, FILE_CURRENT);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != ERROR_SUCCESS) {
      ThrowXMLwithMemMgr(XMLPlatformUtilsException, XMLExcepts::File_CouldNotGetCurPos, manager);
    }
    return (static_cast<XMLFilePos>(static_cast<DWORD>(high)) << 32) | low;
  }

  XMLFilePos fileSize(FileHandle file, MemoryManager* const manager) override {
    DWORD high = 0;
    SetLastError(ERROR_SUCCESS);
    DWORD low = GetFileSize(AsHandle(file), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS) {
      ThrowXMLwithMemMgr(XMLPlatformUtilsException, XMLExcepts::File_CouldNotGetSize, manager);
    }
    return (static_cast<XMLFilePos>(high) << 32) | low;
  }

  XMLSize_t fileRead(FileHandle file, XMLSize_t byteCount, XMLByte* buffer, MemoryManager* const manager) override {
    DWORD read = 0;
    auto wanted = static_cast<DWORD>(std::min<XMLSize_t>(byteCount, 0x40000000));
    if (!ReadFile(AsHandle(file), buffer, wanted, &read, nullptr)) {
      ThrowXMLwithMemMgr(XMLPlatformUtilsException, XMLExcepts::File_CouldNotReadFromFile, manager);
    }
    return read;
  }

  void fileWrite(FileHandle file, XMLSize_t byteCount, const XMLByte* buffer, MemoryManager* const manager) override {
    while (byteCount > 0) {
      DWORD written = 0;
      auto chunk = static_cast<DWORD>(std::min<XMLSize_t>(byteCount, 0x40000000));
      if (!WriteFile(AsHandle(file), buffer, chunk, &written, nullptr) || written == 0) {
        ThrowXMLwithMemMgr(XMLPlatformUtilsException, XMLExcepts::File_CouldNotWriteToFile, manager);
      }
      buffer += written;
      byteCount -= written;
    }
  }

  // Relative paths stay relative: the file API resolves them against the installer's current
  // folder when a file is opened, so "." is the current folder and a path is its own full form.
  XMLCh* getFullPath(const XMLCh* const srcPath, MemoryManager* const manager) override {
    return XMLString::replicate(srcPath, manager);
  }

  XMLCh* getCurrentDirectory(MemoryManager* const manager) override {
    const XMLCh current[] = {chPeriod, chNull};
    return XMLString::replicate(current, manager);
  }

  // Windows rules: a path is absolute when it starts with a slash or a drive letter and colon.
  bool isRelative(const XMLCh* const toCheck, MemoryManager* const) override {
    if (toCheck == nullptr || toCheck[0] == 0) return false;
    if (toCheck[0] == chForwardSlash || toCheck[0] == chBackSlash) return false;
    return !(IsDriveLetter(toCheck[0]) && toCheck[1] == chColon);
  }
};

}  // namespace

void UsePlatformFileManager() {
  if (dynamic_cast<PlatformFileManager*>(XMLPlatformUtils::fgFileMgr) != nullptr) return;
  delete XMLPlatformUtils::fgFileMgr;
  XMLPlatformUtils::fgFileMgr = new PlatformFileManager();
}

}  // namespace xmldoc
