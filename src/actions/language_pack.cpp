#include "actions/language_pack.h"

#include <string>

#include "actions/product_property.h"

namespace actions {

// A parent that is not installed still sets the property: the discipline is then removed.
void SetSlpDiscipline(runtime::CustomActionSession& session) {
  std::wstring discipline;
  {
    InstalledProduct parent(session.GetProperty(L"PARENTPRODUCTCODE"));
    discipline = parent.Property(L"PLM_DISCIPLINE");
  }
  session.SetProperty(L"PLM_DISCIPLINE", discipline);
}

// A parent that is not installed still sets the property, to a single backslash.
void SetSlpInstallDir(runtime::CustomActionSession& session) {
  std::wstring folder;
  {
    InstalledProduct parent(session.GetProperty(L"PARENTPRODUCTCODE"));
    folder = parent.InstallFolder();
  }
  session.SetProperty(L"INSTALLDIR", folder);
}

// Installer folder properties end in a backslash, so the file name is appended as it is. An empty
// language names the section that all languages share. A missing file or section is no failure.
void SlpUninstall(runtime::CustomActionSession& session) {
  std::wstring iniFile = session.GetProperty(L"UserDataCacheFolder") + L"Pelmo.ini";
  std::wstring section = L"Directories" + session.GetProperty(L"PELMOLANGUAGE");
  WritePrivateProfileStructW(section.c_str(), nullptr, nullptr, 0, iniFile.c_str());
}

}  // namespace actions
