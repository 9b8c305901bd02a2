#include "msi/session.h"

namespace standin {

namespace {
template <typename Map>
auto Lookup(const Map& map, std::wstring_view name) -> std::optional<typename Map::mapped_type> {
  for (const auto& [key, value] : map) {
    if (key == name) return value;
  }
  return std::nullopt;
}
}  // namespace

Session::Session(SessionSetup setup) : setup_(std::move(setup)) {
  for (const auto& [name, value] : setup_.properties) {
    if (!value.empty()) properties_.emplace(name, value);
  }
  SetRunModes(setup_.runModes);
}

std::optional<std::wstring> Session::ReadProperty(std::wstring_view name) const {
  if (setup_.deferred && name != L"CustomActionData" && name != L"ProductCode" && name != L"UserSID") {
    return std::nullopt;
  }
  auto it = properties_.find(name);
  if (it == properties_.end()) return std::nullopt;
  return it->second;
}

void Session::WriteProperty(const std::wstring& name, const std::wstring& value) {
  if (value.empty()) {
    properties_.erase(name);
  } else {
    properties_[name] = value;
  }
}

bool Session::RunMode(MSIRUNMODE mode) const {
  auto index = static_cast<unsigned>(mode);
  if (index >= runModes_.size()) return false;
  if (setup_.deferred) {
    // A deferred action is told only whether it is scheduled, rolling back or committing.
    if (mode == MSIRUNMODE_SCHEDULED) return true;
    if (mode != MSIRUNMODE_ROLLBACK && mode != MSIRUNMODE_COMMIT) return false;
  } else if (mode == MSIRUNMODE_SCHEDULED) {
    return false;
  }
  return runModes_.test(index);
}

void Session::SetRunModes(const std::vector<MSIRUNMODE>& modes) {
  runModes_.reset();
  for (MSIRUNMODE mode : modes) {
    if (static_cast<unsigned>(mode) < runModes_.size()) runModes_.set(static_cast<unsigned>(mode));
  }
}

std::optional<ItemState> Session::Feature(std::wstring_view name) const { return Lookup(setup_.features, name); }
std::optional<ItemState> Session::Component(std::wstring_view name) const {
  return Lookup(setup_.components, name);
}
std::optional<std::wstring> Session::ComponentFolder(std::wstring_view name) const {
  return Lookup(setup_.componentFolders, name);
}
std::optional<std::wstring> Session::FilePath(std::wstring_view name) const {
  return Lookup(setup_.filePaths, name);
}

}  // namespace standin
