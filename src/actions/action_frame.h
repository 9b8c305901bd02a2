// The frame every exported action runs in.
#pragma once

#include "platform/win32.h"
#include "runtime/custom_action_session.h"

namespace actions {

using ActionWork = void (*)(runtime::CustomActionSession& session);

constexpr wchar_t kLogFileName[] = L"PelmoCustom.log";

// Begins the session under the action's name, runs its work and returns 0. An exception must not
// cross the C boundary of an export (that would end the installer's custom-action process): it is
// logged as one "!=>" line naming the action and the error, and the installer is told the action
// failed (ERROR_INSTALL_FAILURE).
UINT RunAction(MSIHANDLE hInstall, const wchar_t* actionName, ActionWork work);

}  // namespace actions
