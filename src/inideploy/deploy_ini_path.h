// Where the administrator's deployment INI file is expected, next to the installation media.
#pragma once

#include <string>

namespace inideploy {

// The folder three levels above the installation database, "CustomSettings\" and the name; with
// VORQ set the media are one level deeper and the file lies directly in the folder four levels up.
std::wstring DeployIniPath(const std::wstring& databasePath, const std::wstring& deployIniName, bool vorqSet);

}  // namespace inideploy
