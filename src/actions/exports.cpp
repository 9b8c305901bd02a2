// The seven exported custom actions, in export order. Each names itself and runs its work in the
// shared frame.
#include "actions/action_frame.h"

extern "C" {

UINT WINAPI PelmoEngineSetInstallDir(MSIHANDLE hInstall) {
  return actions::RunAction(hInstall, L"PelmoEngineSetInstallDir", nullptr);
}

UINT WINAPI PelmoSLPUninstall(MSIHANDLE hInstall) {
  return actions::RunAction(hInstall, L"PelmoSLPUninstall", nullptr);
}

UINT WINAPI PelmoSetSLPDiscipline(MSIHANDLE hInstall) {
  return actions::RunAction(hInstall, L"PelmoSetSLPDiscipline", nullptr);
}

UINT WINAPI PelmoSetSLPInstallDir(MSIHANDLE hInstall) {
  return actions::RunAction(hInstall, L"PelmoSetSLPInstallDir", nullptr);
}

UINT WINAPI PlmPrepareWriteIni(MSIHANDLE hInstall) {
  return actions::RunAction(hInstall, L"PrepareWriteIni", nullptr);
}

UINT WINAPI PlmSetCustomProperties(MSIHANDLE hInstall) {
  return actions::RunAction(hInstall, L"PlmSetCustomProperties", nullptr);
}

UINT WINAPI PlmWriteIni(MSIHANDLE hInstall) { return actions::RunAction(hInstall, L"WriteIni", nullptr); }

}  // extern "C"
