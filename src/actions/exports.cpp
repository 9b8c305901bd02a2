// The seven exported custom actions, in export order. Each names itself and runs its work in the
// shared frame.
#include "actions/action_frame.h"
#include "actions/custom_properties.h"
#include "actions/engine_install_dir.h"
#include "actions/language_pack.h"
#include "inideploy/prepare_action.h"
#include "inideploy/write_action.h"

extern "C" {

UINT WINAPI PelmoEngineSetInstallDir(MSIHANDLE hInstall) {
  return actions::RunAction(hInstall, L"PelmoEngineSetInstallDir", actions::EngineSetInstallDir);
}

UINT WINAPI PelmoSLPUninstall(MSIHANDLE hInstall) {
  return actions::RunAction(hInstall, L"PelmoSLPUninstall", actions::SlpUninstall);
}

UINT WINAPI PelmoSetSLPDiscipline(MSIHANDLE hInstall) {
  return actions::RunAction(hInstall, L"PelmoSetSLPDiscipline", actions::SetSlpDiscipline);
}

UINT WINAPI PelmoSetSLPInstallDir(MSIHANDLE hInstall) {
  return actions::RunAction(hInstall, L"PelmoSetSLPInstallDir", actions::SetSlpInstallDir);
}

UINT WINAPI PlmPrepareWriteIni(MSIHANDLE hInstall) {
  return actions::RunAction(hInstall, L"PrepareWriteIni", &inideploy::PrepareWriteIni);
}

UINT WINAPI PlmSetCustomProperties(MSIHANDLE hInstall) {
  return actions::RunAction(hInstall, L"PlmSetCustomProperties", actions::SetCustomProperties);
}

UINT WINAPI PlmWriteIni(MSIHANDLE hInstall) { return actions::RunAction(hInstall, L"WriteIni", &inideploy::WriteIni); }

}  // extern "C"
