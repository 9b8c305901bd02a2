#include "preview.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/unicode.h"
#include "windows_path.h"

namespace msisim {

namespace {

constexpr wchar_t kDescriptionFolder[] = L"C:\\Preview\\";

// A plain first installation for one user, as the shipped first-installation scenario has it.
const std::map<std::wstring, std::wstring>& FirstInstallation() {
  static const std::map<std::wstring, std::wstring> properties{
      {L"ProductCode", L"{6F1C2A4E-3B5D-4E7F-8A91-2C3D4E5F6A7B}"},
      {L"ProductName", L"Pelmo 2027"},
      {L"ProductTLA", L"PLM"},
      {L"UserSID", L"S-1-5-21-1004336348-1177238915-682003330-1001"},
      {L"Manufacturer", L"Maker"},
      {L"RELEASENAME", L"2027"},
      {L"PELMOLANGUAGE", L"ENU"},
      {L"PLM_DISCIPLINE", L"All"},
      {L"%USERPROFILE", L"C:\\Users\\ann"},
      {L"INSTALLDIR", L"C:\\Program Files\\Maker\\Pelmo 2027\\"},
      {L"UserDataCacheFolder", L"C:\\Users\\ann\\AppData\\Roaming\\Maker\\Pelmo 2027\\"},
      {L"PRODUCTCOMMON", L"C:\\ProgramData\\Maker\\Pelmo 2027\\"},
      {L"DataFolder", L"C:\\ProgramData\\Maker\\Pelmo 2027\\Data\\"},
      {L"PLM_LINEWEIGHTSNAME", L"importlineweights-dwg-default.txt"},
      {L"PLM_S_PROJPATH", L"C:\\Users\\ann\\Documents\\Pelmo 2027\\Projects"},
      {L"PLM_S_IESCONTENT", L"C:\\ProgramData\\Maker\\Pelmo 2027\\IES\\"},
      {L"PLM_S_LOOKUPTABLES", L"C:\\ProgramData\\Maker\\Pelmo 2027\\Lookup Tables\\"},
      {L"PLM_S_FAMILYTEMPLATES", L"C:\\ProgramData\\Maker\\Pelmo 2027\\Family Templates\\"},
      {L"PLM_S_LIBRARYCONTENT", L"C:\\ProgramData\\Maker\\Pelmo 2027\\Libraries\\"},
      {L"PLM_S_TEMPLATECONTENT", L"C:\\ProgramData\\Maker\\Pelmo 2027\\Templates\\"},
      {L"PLM_CONS_TEMPLATENAME_ENU", L"Construction"},
      {L"PLM_ARCH_TEMPLATENAME_ENU", L"Architectural"},
      {L"PLM_STRUCT_TEMPLATENAME_ENU", L"Structural Analysis"},
      {L"PLM_SYS_TEMPLATENAME_ENU", L"Systems"},
      {L"PLM_MECH_TEMPLATENAME_ENU", L"Mechanical"},
      {L"SRC_INI_FILE_DOCUMENT", L"[SourceDir]"},
      {L"OriginalDatabase", L"D:\\Img\\x64\\Pelmo\\Pelmo.msi"},
      {L"SourceDir", L"D:\\Img\\x64\\Pelmo\\"},
  };
  return properties;
}

std::pair<std::wstring, std::wstring> Assignment(const std::string& text) {
  std::size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0) {
    throw ScenarioError("--property " + text + ": expected NAME=VALUE");
  }
  return {unicode::FromUtf8(text.substr(0, equals)), unicode::FromUtf8(text.substr(equals + 1))};
}

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error(file.string() + ": cannot be read");
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

Scenario PreviewScenario(const std::filesystem::path& description,
                         const std::vector<std::string>& propertyAssignments) {
  Scenario scenario;
  scenario.comment = "What a first installation writes from " + description.string();
  scenario.temp = L"C:\\Users\\ann\\AppData\\Local\\Temp\\";
  scenario.properties = FirstInstallation();
  for (const std::string& text : propertyAssignments) {
    auto [name, value] = Assignment(text);
    if (name == L"INI_FILE_DOCUMENT" || name == L"JQ_INI_FILE_DOCUMENT") {
      throw ScenarioError("--property " + text + ": the preview puts the description in its own folder");
    }
    scenario.properties[name] = value;
  }
  // The prepare action looks for the description in the folder its document property names.
  auto property = [&scenario](const wchar_t* name) {
    auto it = scenario.properties.find(name);
    return it == scenario.properties.end() ? std::wstring() : it->second;
  };
  bool engine = property(L"PELMOENGINE") == L"1";
  std::wstring fileName = (engine ? property(L"JQ_TLA") : L"") + L"inifile.xml";
  scenario.properties[engine ? L"JQ_INI_FILE_DOCUMENT" : L"INI_FILE_DOCUMENT"] = kDescriptionFolder;
  scenario.files[std::wstring(kDescriptionFolder) + fileName] = ReadBytes(description);
  // The installer makes the folders of the installation before the deferred actions run.
  for (const auto& [name, value] : scenario.properties) {
    if (IsWindowsPath(value) && value.back() == L'\\') scenario.folders.push_back(value);
  }
  scenario.actions = {
      {"PlmSetCustomProperties", false, {}}, {"PlmPrepareWriteIni", false, {}}, {"PlmWriteIni", true, {}}};
  return scenario;
}

}  // namespace msisim
