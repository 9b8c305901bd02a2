// The exported custom actions, for hosts that link the library directly (the tests).
#pragma once

#include "platform/win32.h"

extern "C" {
UINT WINAPI PelmoEngineSetInstallDir(MSIHANDLE hInstall);
UINT WINAPI PelmoSLPUninstall(MSIHANDLE hInstall);
UINT WINAPI PelmoSetSLPDiscipline(MSIHANDLE hInstall);
UINT WINAPI PelmoSetSLPInstallDir(MSIHANDLE hInstall);
UINT WINAPI PlmPrepareWriteIni(MSIHANDLE hInstall);
UINT WINAPI PlmSetCustomProperties(MSIHANDLE hInstall);
UINT WINAPI PlmWriteIni(MSIHANDLE hInstall);
}
