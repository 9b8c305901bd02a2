// The installer side of the control API.
#include "kernel/machine.h"
#include "msi/handles.h"

namespace standin {

MSIHANDLE OpenSession(const SessionSetup& setup) { return AddInstallerObject(std::make_shared<Session>(setup)); }

namespace {
std::shared_ptr<Session> SessionOf(MSIHANDLE handle) {
  bool failing = TheMachine().failInstallerCalls;
  TheMachine().failInstallerCalls = false;
  auto session = InstallerObjectAs<Session>(handle);
  TheMachine().failInstallerCalls = failing;
  return session;
}
}  // namespace

std::map<std::wstring, std::wstring> Properties(MSIHANDLE session) {
  auto held = SessionOf(session);
  if (!held) return {};
  return {held->Table().begin(), held->Table().end()};
}

std::optional<std::wstring> Property(MSIHANDLE session, std::wstring_view name) {
  auto held = SessionOf(session);
  if (!held) return std::nullopt;
  auto it = held->Table().find(name);
  if (it == held->Table().end()) return std::nullopt;
  return it->second;
}

void SetRunModes(MSIHANDLE session, const std::vector<MSIRUNMODE>& modes) {
  if (auto held = SessionOf(session)) held->SetRunModes(modes);
}

void InstallProduct(const std::wstring& productCode, std::map<std::wstring, std::wstring> properties) {
  InstalledProducts()[productCode] = std::move(properties);
}

void RemoveProduct(const std::wstring& productCode) { InstalledProducts().erase(productCode); }

void FailInstallerCalls(bool fail) { TheMachine().failInstallerCalls = fail; }

}  // namespace standin
