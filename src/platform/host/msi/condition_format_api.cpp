// MsiEvaluateConditionW and MsiFormatRecordW: the handle and buffer side of the two languages.
#include <algorithm>

#include "kernel/machine.h"
#include "msi/buffer.h"
#include "msi/condition.h"
#include "msi/format.h"
#include "msi/handles.h"

extern "C" MSICONDITION MsiEvaluateConditionW(MSIHANDLE hInstall, LPCWSTR szCondition) {
  standin::InjectedFault("MsiEvaluateConditionW");
  auto session = standin::InstallerObjectAs<standin::Session>(hInstall);
  if (!session) return MSICONDITION_ERROR;
  if (szCondition == nullptr) return MSICONDITION_NONE;
  return standin::EvaluateCondition(szCondition, *session);
}

extern "C" UINT MsiFormatRecordW(MSIHANDLE hInstall, MSIHANDLE hRecord, LPWSTR szResultBuf, DWORD* pcchResultBuf) {
  standin::InjectedFault("MsiFormatRecordW");
  auto record = standin::InstallerObjectAs<standin::Record>(hRecord);
  if (!record) return ERROR_INVALID_HANDLE;
  auto session = standin::InstallerObjectAs<standin::Session>(hInstall);
  // Without a session the installer formats against an empty property table.
  static const standin::Session noSession{standin::SessionSetup{}};
  std::wstring text = standin::FormatRecord(*record, session ? *session : noSession);
  // A custom action receives the result as a null-terminated string: it ends at the first NUL
  // (from [~]), in its length too.
  text.erase(std::find(text.begin(), text.end(), L'\0'), text.end());
  return standin::CopyToCallerBuffer(text, szResultBuf, pcchResultBuf);
}
