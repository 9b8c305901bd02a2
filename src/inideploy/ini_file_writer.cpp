#include "inideploy/ini_file_writer.h"

#include "fsutil/file_path.h"
#include "fsutil/grant_file_access.h"
#include "inideploy/dom_helpers.h"
#include "inideploy/element_list.h"
#include "inideploy/ini_names.h"
#include "inideploy/local_files.h"
#include "inideploy/section_writer.h"

namespace inideploy {

using xercesc::DOMElement;

namespace {

// The UTF-16LE byte-order mark: the profile functions keep writing wide text into such a file.
constexpr std::string_view kUnicodeMark{"\xFF\xFE", 2};

// Creates a missing Unicode file; false when it cannot be created.
bool PrepareUnicodeFile(runtime::CustomActionSession& session, const std::wstring& path) {
  if (!WriteWholeFile(path, kUnicodeMark)) {
    session.LogLine(L"  !=> Failed to create %s", path);
    return false;
  }
  session.LogLine(L"  => Created Unicode %s", path);
  return true;
}

}  // namespace

std::wstring WriteIniFiles(runtime::CustomActionSession& session, const xercesc::DOMDocument* document,
                           bool standaloneLanguagePack) {
  std::wstring productIni;
  for (const DOMElement* file : ElementsNamed(document, L"File")) {
    std::wstring name = GetAttribute(file, L"Name");
    std::wstring path = fsutil::FilePath(GetAttribute(file, L"Path")).Combine(name);
    if (name == kProductIniName) {
      productIni = path;
    } else if (standaloneLanguagePack) {
      continue;
    }
    session.LogLine(L"  ==> File: %s", path);

    // A language pack adds to the parent product's file; it never starts one of its own.
    if (GetAttribute(file, L"Unicode") == L"yes" && !Exists(path) && !standaloneLanguagePack &&
        !PrepareUnicodeFile(session, path)) {
      continue;
    }

    if (standaloneLanguagePack) {
      WriteLanguagePackSections(session, file, path);
    } else {
      WriteSections(session, file, path);
    }

    if (GetAttribute(file, L"AddACE") == L"yes") {
      fsutil::GrantFileAccess(path, GENERIC_WRITE);
      session.LogLine(L"    ==> ACE: GRANT_ACCESS GENERIC_WRITE");
    }
  }
  return productIni;
}

}  // namespace inideploy
