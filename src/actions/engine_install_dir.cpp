#include "actions/engine_install_dir.h"

#include <string>

#include "actions/product_property.h"

namespace actions {

// Each choice is read only when the one before it is empty, so the log shows how far the search
// went. The companion locations are used with whatever ending they have. When nothing is found,
// INSTALLDIR keeps the value the installation gave it.
void EngineSetInstallDir(runtime::CustomActionSession& session) {
  for (const wchar_t* companionLocation : {L"KELDAX_INSTALL_LOC", L"KELDAY_INSTALL_LOC"}) {
    std::wstring location = session.GetProperty(companionLocation);
    if (!location.empty()) {
      session.SetProperty(L"INSTALLDIR", location + L"Loaders\\");
      return;
    }
  }
  InstalledProduct product(session.GetProperty(L"JQ_POSTREQ_FOR"));
  if (product.IsOpen()) session.SetProperty(L"INSTALLDIR", product.InstallFolder());
}

}  // namespace actions
