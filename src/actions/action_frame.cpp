#include "actions/action_frame.h"

#include <exception>

#include "platform/unicode.h"

namespace actions {

namespace {
void LogFailure(const wchar_t* actionName, const std::wstring& error) noexcept {
  try {
    runtime::TheSession().LogLine(L" !=> %s failed: %s", std::wstring(actionName), error);
  } catch (...) {
    // The log line itself could not be built; the result code still tells the installer.
  }
}
}  // namespace

UINT RunAction(MSIHANDLE hInstall, const wchar_t* actionName, ActionWork work) {
  try {
    runtime::CustomActionSession& session = runtime::TheSession();
    session.Begin(hInstall, actionName, kLogFileName);
    if (work != nullptr) work(session);
    return ERROR_SUCCESS;
  } catch (const std::exception& error) {
    LogFailure(actionName, unicode::FromUtf8(error.what()));
  } catch (...) {
    LogFailure(actionName, L"unknown exception");
  }
  return ERROR_INSTALL_FAILURE;
}

}  // namespace actions
