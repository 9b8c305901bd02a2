// MsiEvaluateConditionW and MsiFormatRecordW: the handle and buffer side of the two languages.
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
  return standin::CopyToCallerBuffer(standin::FormatRecord(*record, session ? *session : noSession), szResultBuf,
                                     pcchResultBuf);
}
