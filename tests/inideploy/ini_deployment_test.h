// Runs the INI deployment the way an installer does: the immediate prepare action, then the
// deferred write action in a fresh session that gets the value of "PlmWriteIni" as its
// CustomActionData. Also builds small descriptions and reads INI files back.
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "test_machine.h"

namespace inideploy_test {

using Properties = std::map<std::wstring, std::wstring>;

// One INI file as read back: sections in file order, each with its lines in order.
struct IniSection {
  std::wstring name;
  std::vector<std::wstring> lines;
};

class IniDeploymentTest : public testing_support::MachineTest {
 protected:
  static constexpr wchar_t kDocumentFolder[] = L"C:\\Docs\\";
  static constexpr wchar_t kUserFolder[] = L"C:\\Users\\pat\\Pelmo\\";
  static constexpr wchar_t kInstallFolder[] = L"C:\\Program Files\\Pelmo\\";
  static constexpr wchar_t kProductIni[] = L"C:\\Users\\pat\\Pelmo\\Pelmo.ini";
  static constexpr wchar_t kLog[] = L"C:\\Temp\\PelmoCustom.log";

  void SetUp() override;

  // A first installation with the description read from kDocumentFolder, its INI files going to
  // kUserFolder ([UserDataCacheFolder]) and kInstallFolder ([INSTALLDIR]); overrides win.
  Properties FirstInstall(const Properties& overrides = {}) const;

  // Runs PlmPrepareWriteIni; returns the value it left in "PlmWriteIni" ("" when none).
  std::wstring Prepare(const Properties& properties);
  // Runs PlmWriteIni with this CustomActionData.
  void Write(const std::wstring& customActionData);
  // Both, in order.
  void Install(const Properties& properties);

  // Writes an IniFile description (the internal grammar included) holding these File elements.
  void PutDescription(const std::wstring& path, const std::string& files) const;

  std::wstring Log() const;
  std::vector<IniSection> ReadIni(const std::wstring& path) const;
  // "[Section]" and "key=value" lines, one per line, whatever the file's encoding.
  std::wstring IniText(const std::wstring& path) const;
  // The section names of an INI file, in order.
  std::vector<std::wstring> SectionNames(const std::wstring& path) const;
  // A key's stored value; "<missing>" when the file has no such key.
  std::wstring Value(const std::wstring& path, const std::wstring& section, const std::wstring& key) const;

  // The fields of a CustomActionData value as the write action will see them.
  static std::vector<std::wstring> Fields(const std::wstring& customActionData);

  void MakeFolder(const std::wstring& windowsPath) const;

  // Authenticated Users hold an entry granting this access to the file.
  static bool EveryUserMay(const std::wstring& path, DWORD access);
};

// Cases of parameterised tests carry a name, used for the test's name and in failure messages.
template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  return info.param.name;
}
template <typename Case>
requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

// An IniFile description document (UTF-8 with byte-order mark, CR LF) around these File elements.
std::string DescriptionDocument(const std::string& files);

}  // namespace inideploy_test
