// The actions of a standalone language pack: it takes its discipline and install folder from its
// installed parent product, and removes its language's folder section from the user's product INI
// file when it is removed.
#pragma once

#include "runtime/custom_action_session.h"

namespace actions {

void SetSlpDiscipline(runtime::CustomActionSession& session);
void SetSlpInstallDir(runtime::CustomActionSession& session);
void SlpUninstall(runtime::CustomActionSession& session);

}  // namespace actions
