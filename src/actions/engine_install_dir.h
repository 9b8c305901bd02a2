// The install folder of the engine edition: the "Loaders\" folder of a companion product whose
// location the installation knows, else the folder of the product it is installed for.
#pragma once

#include "runtime/custom_action_session.h"

namespace actions {

void EngineSetInstallDir(runtime::CustomActionSession& session);

}  // namespace actions
