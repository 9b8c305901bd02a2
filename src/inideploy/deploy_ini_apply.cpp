#include "inideploy/deploy_ini_apply.h"

#include "fsutil/grant_file_access.h"
#include "inideploy/local_files.h"
#include "inideploy/profile_read.h"
#include "platform/win32.h"

namespace inideploy {

namespace {

bool CopyAndLog(runtime::CustomActionSession& session, const std::wstring& source, const std::wstring& destination) {
  BOOL copied = CopyFileW(source.c_str(), destination.c_str(), FALSE);
  DWORD error = GetLastError();
  if (copied == 1) {
    session.LogLine(L"  => Copied %s to %s.", source, destination);
    return true;
  }
  session.LogLine(L"  => Failed to copy %s to %s, ErrorCode: %u.", source, destination, error);
  return false;
}

// A deployment file must not carry the administrator's own user into every installation.
void RemoveStoredUsername(const std::wstring& productIni) {
  if (ReadProfileString(productIni, L"Partitions", L"Username", nullptr).empty()) return;
  WritePrivateProfileStringW(L"Partitions", L"Username", nullptr, productIni.c_str());
}

}  // namespace

void ApplyDeploymentIni(runtime::CustomActionSession& session, const std::wstring& deployIniCopy,
                        const std::wstring& productIni) {
  fsutil::GrantFileAccess(deployIniCopy, GENERIC_READ);
  CopyAndLog(session, productIni, productIni + L".gen");
  if (IsEmptyFile(deployIniCopy)) {
    session.LogLine(L"  !=> Deploy Ini %s is empty, keeping %s", deployIniCopy, productIni);
  } else if (CopyAndLog(session, deployIniCopy, productIni)) {
    RemoveStoredUsername(productIni);
  }
  fsutil::GrantFileAccess(productIni, GENERIC_READ);
}

}  // namespace inideploy
