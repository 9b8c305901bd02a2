// Writes the sections of one File element into its INI file.
#pragma once

#include <string>
#include <xercesc/dom/DOM.hpp>

#include "runtime/custom_action_session.h"

namespace inideploy {

// Every section: its keys, or an empty section when it has none; a key marked Overwrite="no"
// that the file already holds stays as it is.
void WriteSections(runtime::CustomActionSession& session, const xercesc::DOMElement* file, const std::wstring& path);

// Only the language sections ("Directories" followed by a language code). A section whose first
// stored entry is its own name is the mark of a removed language: the section goes.
void WriteLanguagePackSections(runtime::CustomActionSession& session, const xercesc::DOMElement* file,
                               const std::wstring& path);

}  // namespace inideploy
