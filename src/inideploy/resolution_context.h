// What the resolution of a description needs to know about the running installation.
#pragma once

#include <string>

namespace inideploy {

struct ResolutionContext {
  // SLP_PROP is "1": only the language sections of the product INI file are written.
  bool standaloneLanguagePack = false;
  // The target INI files are rebuilt from scratch.
  bool repair = false;
  // PELMOUTNAME and PELMOUTPATH: a user template put in front of every DefaultTemplate list.
  std::wstring userTemplateName;
  std::wstring userTemplatePath;
};

}  // namespace inideploy
