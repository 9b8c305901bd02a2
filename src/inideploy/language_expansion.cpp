#include "inideploy/language_expansion.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "fsutil/file_path.h"
#include "inideploy/dom_helpers.h"
#include "inideploy/element_list.h"
#include "inideploy/language_table.h"

namespace inideploy {

using xercesc::DOMElement;
using xercesc::DOMNode;

namespace {

constexpr std::wstring_view kInstalledLanguage = L"[PELMOLANGUAGE]";
constexpr std::wstring_view kEveryLanguage = L"[ALL_LANGUAGES]";
constexpr std::wstring_view kLanguageName = L"[ALL_LANGNAMES]";

bool Contains(const std::wstring& text, std::wstring_view token) { return text.find(token) != std::wstring::npos; }

// Replaces a token in the value of every direct child element that holds it.
void ReplaceInChildValues(DOMElement* section, std::wstring_view token, std::wstring_view replacement) {
  for (DOMNode* child = section->getFirstChild(); child != nullptr; child = child->getNextSibling()) {
    if (child->getNodeType() != DOMNode::ELEMENT_NODE) continue;
    std::wstring text = GetElementText(child);
    if (!Contains(text, token)) continue;
    fsutil::ReplaceAll(text, token, replacement);
    SetElementText(static_cast<DOMElement*>(child), text);
  }
}

DOMElement* LanguageCopy(const DOMElement* section, const std::wstring& name, const Language& language) {
  auto* copy = static_cast<DOMElement*>(section->cloneNode(true));
  std::wstring copyName = name;
  fsutil::ReplaceAll(copyName, kEveryLanguage, language.code);
  SetAttribute(copy, L"Name", copyName);
  for (DOMNode* child = copy->getFirstChild(); child != nullptr; child = child->getNextSibling()) {
    if (child->getNodeType() != DOMNode::ELEMENT_NODE) continue;
    auto* element = static_cast<DOMElement*>(child);
    std::wstring text = GetElementText(element);
    if (Contains(text, kEveryLanguage)) {
      fsutil::ReplaceAll(text, kEveryLanguage, language.code);
      SetElementText(element, text);
    }
    if (Contains(text, kLanguageName)) {
      fsutil::ReplaceAll(text, kLanguageName, language.name);
      SetElementText(element, text);
    }
  }
  return copy;
}

}  // namespace

void ExpandLanguageSections(runtime::CustomActionSession& session, DOMElement* file) {
  // Sections are removed and copies appended only after the walk, so it visits exactly the
  // sections the file had when it began.
  std::vector<DOMElement*> sectionsToRemove;
  std::vector<std::pair<DOMElement*, DOMNode*>> copiesToAppend;
  std::wstring currentLanguage = session.FormatText(std::wstring(kInstalledLanguage));

  for (DOMElement* section : ElementsNamed(file, L"Section")) {
    DOMNode* parent = section->getParentNode();
    std::wstring name = GetAttribute(section, L"Name");
    bool genericOnly = session.GetProperty(L"CP_GENERIC_ONLY") == L"1";

    if (Contains(name, kInstalledLanguage)) {
      if (genericOnly) {
        sectionsToRemove.push_back(section);
      } else {
        fsutil::ReplaceAll(name, kInstalledLanguage, currentLanguage);
        SetAttribute(section, L"Name", name);
        ReplaceInChildValues(section, kEveryLanguage, currentLanguage);
      }
    }

    if (Contains(name, kEveryLanguage)) {
      if (std::find(sectionsToRemove.begin(), sectionsToRemove.end(), section) == sectionsToRemove.end()) {
        sectionsToRemove.push_back(section);
      }
      for (const Language& language : kLanguageTable) {
        if (language.code == currentLanguage && !genericOnly) continue;
        copiesToAppend.emplace_back(LanguageCopy(section, name, language), parent);
      }
    }
  }

  for (DOMElement* section : sectionsToRemove) section->getParentNode()->removeChild(section);
  for (auto& [copy, parent] : copiesToAppend) parent->appendChild(copy);
}

}  // namespace inideploy
