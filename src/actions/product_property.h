// Properties of another installed product (a language pack's parent, the engine's companion), read
// through one product handle that lives as long as this object.
#pragma once

#include <string>

#include "platform/win32.h"

namespace actions {

class InstalledProduct {
 public:
  // Opens the product; a product code that is empty, malformed or not installed leaves it closed.
  explicit InstalledProduct(const std::wstring& productCode);
  ~InstalledProduct();
  InstalledProduct(const InstalledProduct&) = delete;
  InstalledProduct& operator=(const InstalledProduct&) = delete;

  bool IsOpen() const { return open_; }

  // The value of one of the product's properties, whole however long it is; empty when the product
  // is closed or does not have the property.
  std::wstring Property(const std::wstring& name) const;

  // The folder the product is installed in: its INSTALLDIR, its KRVN_INSTALL_PATH and one backslash,
  // joined as they are.
  std::wstring InstallFolder() const;

 private:
  MSIHANDLE handle_ = 0;
  bool open_ = false;
};

}  // namespace actions
