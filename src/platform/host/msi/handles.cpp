#include "msi/handles.h"

#include "kernel/machine.h"

namespace standin {

namespace {
struct HandleTable {
  std::map<MSIHANDLE, InstallerObject> objects;
  MSIHANDLE next = 1;
};
HandleTable& Table() {
  static HandleTable table;
  return table;
}
}  // namespace

MSIHANDLE AddInstallerObject(InstallerObject object) {
  HandleTable& table = Table();
  MSIHANDLE handle = table.next++;
  table.objects.emplace(handle, std::move(object));
  return handle;
}

template <typename T>
std::shared_ptr<T> InstallerObjectAs(MSIHANDLE handle) {
  if (TheMachine().failInstallerCalls) return nullptr;
  auto& objects = Table().objects;
  auto it = objects.find(handle);
  if (it == objects.end()) return nullptr;
  auto* held = std::get_if<std::shared_ptr<T>>(&it->second);
  return held == nullptr ? nullptr : *held;
}
template std::shared_ptr<Session> InstallerObjectAs<Session>(MSIHANDLE);
template std::shared_ptr<Record> InstallerObjectAs<Record>(MSIHANDLE);
template std::shared_ptr<ProductHandle> InstallerObjectAs<ProductHandle>(MSIHANDLE);

bool RemoveInstallerObject(MSIHANDLE handle) { return Table().objects.erase(handle) == 1; }

void ClearInstallerObjects() {
  Table().objects.clear();
  InstalledProducts().clear();
}

std::map<std::wstring, std::map<std::wstring, std::wstring>>& InstalledProducts() {
  static std::map<std::wstring, std::map<std::wstring, std::wstring>> products;
  return products;
}

}  // namespace standin
