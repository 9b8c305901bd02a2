// Names the description and the INI files share.
#pragma once

namespace inideploy {

// The product INI file: the one a standalone language pack and a deployment INI file work on.
inline constexpr wchar_t kProductIniName[] = L"Pelmo.ini";

}  // namespace inideploy
