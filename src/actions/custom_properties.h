// The properties the INI descriptions and the rest of the package read: the repair marker, the
// product's identity path, the discipline switches, the two installation GUIDs and the user's
// project path with the profile folder replaced by its environment reference.
#pragma once

#include <string>

#include "runtime/custom_action_session.h"

namespace actions {

void SetCustomProperties(runtime::CustomActionSession& session);

// A new GUID as "{" 36 upper-case registry-form characters "}", or "" when it cannot be made.
std::wstring NewGuidString();

}  // namespace actions
