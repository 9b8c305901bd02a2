#include "actions/language_pack.h"

#include <string>

#include "actions/product_property.h"

namespace actions {

// The parent's handle stays open until the property is set: some installers (Wine's) cut the
// custom-action process off from the session once a product handle is closed.

// A parent that is not installed still sets the property: the discipline is then removed.
void SetSlpDiscipline(runtime::CustomActionSession& session) {
  InstalledProduct parent(session.GetProperty(L"PARENTPRODUCTCODE"));
  session.SetProperty(L"PLM_DISCIPLINE", parent.Property(L"PLM_DISCIPLINE"));
}

// A parent that is not installed still sets the property, to a single backslash.
void SetSlpInstallDir(runtime::CustomActionSession& session) {
  InstalledProduct parent(session.GetProperty(L"PARENTPRODUCTCODE"));
  session.SetProperty(L"INSTALLDIR", parent.InstallFolder());
}

// Installer folder properties end in a backslash, so the file name is appended as it is. An empty
// language names the section that all languages share. A missing file or section is no failure.
void SlpUninstall(runtime::CustomActionSession& session) {
  std::wstring iniFile = session.GetProperty(L"UserDataCacheFolder") + L"Pelmo.ini";
  std::wstring section = L"Directories" + session.GetProperty(L"PELMOLANGUAGE");
  WritePrivateProfileStructW(section.c_str(), nullptr, nullptr, 0, iniFile.c_str());
}

}  // namespace actions
