#include "inideploy/section_writer.h"

#include <vector>

#include "inideploy/dom_helpers.h"
#include "inideploy/element_list.h"
#include "inideploy/profile_key.h"
#include "inideploy/profile_read.h"
#include "platform/win32.h"

namespace inideploy {

using xercesc::DOMElement;

namespace {

constexpr std::wstring_view kLanguageSectionStem = L"Directories";

bool KeepsExistingKey(const DOMElement* data, const std::wstring& path, const std::wstring& section,
                      const std::wstring& key) {
  return GetAttribute(data, L"Overwrite") == L"no" && ProfileKeyExists(path, section, key);
}

void WriteKey(const DOMElement* data, const std::wstring& path, const std::wstring& section, const std::wstring& key) {
  WritePrivateProfileStringW(section.c_str(), key.c_str(), GetElementText(data).c_str(), path.c_str());
}

// A section the description lists without keys must exist afterwards. Keys a user's product
// already keeps there (its colours, its user interface) are the user's settings and stay: only a
// missing or empty section is written.
void EnsureSection(const std::wstring& path, const std::wstring& section) {
  if (!FirstSectionEntry(path, section).empty()) return;
  const wchar_t noEntries[2] = {L'\0', L'\0'};
  WritePrivateProfileSectionW(section.c_str(), noEntries, path.c_str());
}

void RemoveSection(const std::wstring& path, const std::wstring& section) {
  WritePrivateProfileStructW(section.c_str(), nullptr, nullptr, 0, path.c_str());
}

bool IsLanguageSection(const std::wstring& name) {
  return name.find(kLanguageSectionStem) != std::wstring::npos && name != kLanguageSectionStem;
}

}  // namespace

void WriteSections(runtime::CustomActionSession& session, const DOMElement* file, const std::wstring& path) {
  for (const DOMElement* section : ElementsNamed(file, L"Section")) {
    std::wstring name = GetAttribute(section, L"Name");
    session.LogLine(L"    ==> Section: %s", name);
    std::vector<DOMElement*> data = ElementsNamed(section, L"Data");
    if (data.empty()) {
      EnsureSection(path, name);
      continue;
    }
    for (const DOMElement* entry : data) {
      std::wstring key = GetAttribute(entry, L"Key");
      session.LogLine(L"      ==> Key: %s", key);
      if (KeepsExistingKey(entry, path, name, key)) {
        session.LogLine(L"        ==> Exists, will not overwrite.");
      } else {
        WriteKey(entry, path, name, key);
      }
    }
  }
}

void WriteLanguagePackSections(runtime::CustomActionSession& session, const DOMElement* file,
                               const std::wstring& path) {
  session.LogLine(L"   => This is a standalone language pack.");
  for (const DOMElement* section : ElementsNamed(file, L"Section")) {
    std::wstring name = GetAttribute(section, L"Name");
    if (!IsLanguageSection(name)) continue;
    session.LogLine(L"    ==> Section: %s", name);
    if (FirstSectionEntry(path, name) == name) {
      session.LogLine(L"    ==> Removing Section: %s", name);
      RemoveSection(path, name);
      continue;
    }
    for (const DOMElement* entry : ElementsNamed(section, L"Data")) {
      std::wstring key = GetAttribute(entry, L"Key");
      session.LogLine(L"      ==> Key: %s", key);
      if (KeepsExistingKey(entry, path, name, key)) {
        session.LogLine(L"        ==> Exists, will not overwrite.");
      } else {
        session.LogLine(L"    ==> Adding Section: %s", name);
        WriteKey(entry, path, name, key);
      }
    }
  }
}

}  // namespace inideploy
