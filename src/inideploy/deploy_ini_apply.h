// The write action's part of the deployment INI file: laying it over the product INI file.
#pragma once

#include <string>

#include "runtime/custom_action_session.h"

namespace inideploy {

// Keeps the generated product INI file beside it as ".gen", replaces it with the deployment copy
// (without a stored "Username" of "Partitions") and lets every user read both. An empty
// deployment copy (the administrator's file was missing or could not be copied) is not laid
// over the product INI file: the generated file stays.
void ApplyDeploymentIni(runtime::CustomActionSession& session, const std::wstring& deployIniCopy,
                        const std::wstring& productIni);

}  // namespace inideploy
