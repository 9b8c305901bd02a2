// The language tokens of section names and values.
#pragma once

#include <xercesc/dom/DOM.hpp>

#include "runtime/custom_action_session.h"

namespace inideploy {

// Lays out the sections of one File element: a "[PELMOLANGUAGE]" section becomes the installed
// language's section (or goes, when CP_GENERIC_ONLY is "1"), and an "[ALL_LANGUAGES]" section is
// replaced by one copy per other language of the table (every language when generic-only),
// appended after every other section, with "[ALL_LANGNAMES]" in the copies' values replaced by
// the language's name.
void ExpandLanguageSections(runtime::CustomActionSession& session, xercesc::DOMElement* file);

}  // namespace inideploy
