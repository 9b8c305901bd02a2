// PlmWriteIni: the deferred half of the INI deployment.
#pragma once

#include "runtime/custom_action_session.h"

namespace inideploy {

// Applies the resolved description named by CustomActionData to the INI files, then the
// deployment INI file, then copies the resolved description to its target.
void WriteIni(runtime::CustomActionSession& session);

}  // namespace inideploy
