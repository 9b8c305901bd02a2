// Where the prepare action finds the IniFile description: a file in the document folder, else
// one in the source folder, else the description the library carries.
#pragma once

#include <string>

#include "runtime/custom_action_session.h"

namespace inideploy {

struct DescriptionKind {
  const wchar_t* documentProperty;
  const wchar_t* sourceProperty;
  const wchar_t* logLine;
  bool engineEdition;
};

// The engine edition when PELMOENGINE is exactly "1", else the full product.
const DescriptionKind& ChooseDescriptionKind(runtime::CustomActionSession& session);

// "inifile.xml", for the engine edition behind the value of JQ_TLA.
std::wstring DescriptionFileName(runtime::CustomActionSession& session, const DescriptionKind& kind);

struct LocatedDescription {
  // Empty when there is no description anywhere.
  std::wstring path;
  bool foundInSourceFolder = false;
};

// Looks at the first path, then in the source folder (the formatted-text value of the kind's
// source property), then extracts the embedded description.
LocatedDescription LocateDescription(runtime::CustomActionSession& session, const std::wstring& firstPath,
                                     const std::wstring& sourceFolderValue);

}  // namespace inideploy
