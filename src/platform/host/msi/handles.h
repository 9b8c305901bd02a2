// The installer's handle table: sessions, records and installed-product handles share one
// numbering, as MSIHANDLE values do.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <variant>

#include "msi/record.h"
#include "msi/session.h"

namespace standin {

struct ProductHandle {
  std::wstring productCode;
};

using InstallerObject = std::variant<std::shared_ptr<Session>, std::shared_ptr<Record>, std::shared_ptr<ProductHandle>>;

MSIHANDLE AddInstallerObject(InstallerObject object);
// The object behind the handle when it is of type T and installer calls are not failing; else null.
template <typename T>
std::shared_ptr<T> InstallerObjectAs(MSIHANDLE handle);
bool RemoveInstallerObject(MSIHANDLE handle);
void ClearInstallerObjects();

// Installed products: product code (exact text) to its properties.
std::map<std::wstring, std::map<std::wstring, std::wstring>>& InstalledProducts();

}  // namespace standin
