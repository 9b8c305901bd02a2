// The prepare action's part of the deployment INI file: finding it and copying it aside.
#pragma once

#include <optional>
#include <string>

#include "runtime/custom_action_session.h"

namespace inideploy {

// When PELMOINIDEPLOY names a deployment INI file, copies it into a new temporary ".ini" file and
// returns that file's path (the file stays empty when the deployment INI file cannot be copied);
// nothing when no file is named.
std::optional<std::wstring> CopyDeploymentIni(runtime::CustomActionSession& session);

}  // namespace inideploy
