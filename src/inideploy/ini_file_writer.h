// Applies the File elements of a resolved description to the INI files they name.
#pragma once

#include <string>
#include <xercesc/dom/DOM.hpp>

#include "runtime/custom_action_session.h"

namespace inideploy {

// Writes every File in document order (a standalone language pack only the product INI file,
// and of it only the language sections) and returns the product INI file's path, empty when the
// description names none.
std::wstring WriteIniFiles(runtime::CustomActionSession& session, const xercesc::DOMDocument* document,
                           bool standaloneLanguagePack);

}  // namespace inideploy
