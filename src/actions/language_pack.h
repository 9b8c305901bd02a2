// The actions of a standalone language pack: it takes its discipline and install folder from its
// installed parent product.
#pragma once

#include "runtime/custom_action_session.h"

namespace actions {

void SetSlpDiscipline(runtime::CustomActionSession& session);
void SetSlpInstallDir(runtime::CustomActionSession& session);

}  // namespace actions
