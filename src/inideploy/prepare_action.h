// PlmPrepareWriteIni: the immediate half of the INI deployment.
#pragma once

#include "runtime/custom_action_session.h"

namespace inideploy {

// Decides whether INI files are written at all, stages a working copy of the description (and of
// a deployment INI file), hands their paths to PlmWriteIni and resolves the working copy.
void PrepareWriteIni(runtime::CustomActionSession& session);

}  // namespace inideploy
