// An installer session of the stand-in: its property table, run modes and the feature,
// component and file tables that conditions and formatted text can refer to.
#pragma once

#include <bitset>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "control.h"

namespace standin {

class Session {
 public:
  explicit Session(SessionSetup setup);

  bool Deferred() const { return setup_.deferred; }

  // What an action can read: the whole table in an immediate session; in a deferred one only
  // CustomActionData, ProductCode and UserSID. Names are case-sensitive.
  std::optional<std::wstring> ReadProperty(std::wstring_view name) const;
  // An empty value removes the property.
  void WriteProperty(const std::wstring& name, const std::wstring& value);
  const std::map<std::wstring, std::wstring, std::less<>>& Table() const { return properties_; }

  bool RunMode(MSIRUNMODE mode) const;
  void SetRunModes(const std::vector<MSIRUNMODE>& modes);

  std::optional<ItemState> Feature(std::wstring_view name) const;
  std::optional<ItemState> Component(std::wstring_view name) const;
  std::optional<std::wstring> ComponentFolder(std::wstring_view name) const;
  std::optional<std::wstring> FilePath(std::wstring_view name) const;

 private:
  SessionSetup setup_;
  std::map<std::wstring, std::wstring, std::less<>> properties_;
  std::bitset<32> runModes_;
};

}  // namespace standin
