// Resolution of an IniFile description against the running installation: folders and values
// expanded, language sections laid out, keys whose condition or product filter fails dropped.
#pragma once

#include <xercesc/dom/DOM.hpp>

#include "inideploy/resolution_context.h"
#include "runtime/custom_action_session.h"

namespace inideploy {

// Rewrites the document in place. On a repair it deletes the target INI files, so that the write
// action builds them afresh; for a standalone language pack it adopts the parent product's
// discipline (PLM_DISCIPLINE) before any condition is evaluated.
void ResolveDescription(runtime::CustomActionSession& session, xercesc::DOMDocument* document,
                        const ResolutionContext& context);

// Whether a Data element survives: its first Condition holds (a blank one always does) and its
// Product filter matches ProductTLA ("ALL" matches every product).
bool IsDataIncluded(runtime::CustomActionSession& session, const xercesc::DOMElement* data);

}  // namespace inideploy
