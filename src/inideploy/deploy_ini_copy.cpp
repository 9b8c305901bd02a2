#include "inideploy/deploy_ini_copy.h"

#include <vector>

#include "fsutil/file_path.h"
#include "inideploy/deploy_ini_path.h"
#include "inideploy/local_files.h"
#include "platform/win32.h"

namespace inideploy {

namespace {

constexpr DWORD kDatabasePathBuffer = 2080;

// The installation database on the installation source; read directly, unlogged, and whole
// even when it is longer than the usual buffer.
std::wstring OriginalDatabase(MSIHANDLE installHandle) {
  std::vector<wchar_t> buffer(kDatabasePathBuffer, L'\0');
  DWORD length = kDatabasePathBuffer;
  if (MsiGetPropertyW(installHandle, L"OriginalDatabase", buffer.data(), &length) == ERROR_MORE_DATA) {
    ++length;
    buffer.assign(length, L'\0');
    MsiGetPropertyW(installHandle, L"OriginalDatabase", buffer.data(), &length);
  }
  return std::wstring(buffer.data());
}

}  // namespace

std::optional<std::wstring> CopyDeploymentIni(runtime::CustomActionSession& session) {
  std::wstring vorq = session.GetProperty(L"VORQ");
  std::wstring deployIniName = session.GetProperty(L"PELMOINIDEPLOY");
  if (!vorq.empty()) {
    fsutil::FilePath name(deployIniName);
    name.StripToFileName();
    deployIniName = name.Text();
    session.LogLine(L" => sDeployIni is: %s", deployIniName);
  }
  std::wstring database = OriginalDatabase(session.installHandle);
  session.LogLine(L"  => sDeployIniPath is %s", database);
  if (deployIniName.empty()) return std::nullopt;

  std::wstring deployIni = session.FormatText(DeployIniPath(database, deployIniName, !vorq.empty()));
  std::wstring copy = NewTempFile(L"ini");
  session.LogLine(L" => sDeployIniDocument is: %s", deployIni);
  if (!copy.empty()) fsutil::FilePath(deployIni).Copy(copy, true);
  return copy;
}

}  // namespace inideploy
