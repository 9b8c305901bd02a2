#include "inideploy/resolve_description.h"

#include <string>
#include <vector>

#include "fsutil/file_path.h"
#include "inideploy/dom_helpers.h"
#include "inideploy/element_list.h"
#include "inideploy/ini_names.h"
#include "inideploy/language_expansion.h"
#include "inideploy/profile_read.h"

namespace inideploy {

using xercesc::DOMElement;

namespace {

// The parent product wrote its discipline into the product INI file; conditions of the language
// pack's keys must see it.
void AdoptParentDiscipline(runtime::CustomActionSession& session, const std::wstring& productIni) {
  std::wstring usage = ReadProfileString(productIni, L"InstallationSettings", L"Usage", L"All");
  session.SetProperty(L"PLM_DISCIPLINE", std::wstring_view{usage});
}

// Expands every value of the file; values are expanded before conditions are evaluated.
void ResolveValues(runtime::CustomActionSession& session, const DOMElement* file, const ResolutionContext& context,
                   std::vector<DOMElement*>& dataToRemove) {
  for (DOMElement* section : ElementsNamed(file, L"Section")) {
    for (DOMElement* data : ElementsNamed(section, L"Data")) {
      std::wstring key = GetAttribute(data, L"Key");
      std::wstring value = GetElementText(data);
      if (key == L"DefaultTemplate" && !context.userTemplateName.empty()) {
        value = context.userTemplateName + L"=" + context.userTemplatePath + L", " + value;
      }
      SetElementText(data, session.FormatText(value));
      if (!IsDataIncluded(session, data)) dataToRemove.push_back(data);
    }
  }
}

void ResolveFile(runtime::CustomActionSession& session, DOMElement* file, const ResolutionContext& context,
                 std::vector<DOMElement*>& dataToRemove) {
  std::wstring folder = session.FormatText(GetAttribute(file, L"Path"));
  SetAttribute(file, L"Path", folder);
  std::wstring name = GetAttribute(file, L"Name");
  std::wstring target = fsutil::FilePath(folder).Combine(name);

  if (context.repair && !context.standaloneLanguagePack) fsutil::FilePath(target).Delete(false);
  if (context.standaloneLanguagePack && name == kProductIniName) AdoptParentDiscipline(session, target);

  ExpandLanguageSections(session, file);
  ResolveValues(session, file, context, dataToRemove);
}

}  // namespace

void ResolveDescription(runtime::CustomActionSession& session, xercesc::DOMDocument* document,
                        const ResolutionContext& context) {
  std::vector<DOMElement*> dataToRemove;
  for (DOMElement* file : ElementsNamed(document, L"File")) ResolveFile(session, file, context, dataToRemove);
  for (DOMElement* data : dataToRemove) data->getParentNode()->removeChild(data);
}

bool IsDataIncluded(runtime::CustomActionSession& session, const DOMElement* data) {
  const DOMElement* condition = FindChildElement(data, L"Condition");
  std::wstring conditionText = condition != nullptr ? GetElementText(condition) : std::wstring();
  if (!conditionText.empty() && !session.EvaluateCondition(std::wstring_view{conditionText})) return false;

  std::wstring product = GetAttribute(data, L"Product");
  if (product == L"ALL") return true;
  return session.EvaluateCondition(L"ProductTLA=\"%s\"", product) == TRUE;
}

}  // namespace inideploy
