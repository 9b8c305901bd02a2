// Times the INI deployment of one large description: the prepare action (resolution included)
// and the write action, on a fresh stand-in machine. Not a test; run it by hand:
//   inideploy_benchmark [sections] [keys per section]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "actions/exports.h"
#include "platform/host/control.h"

namespace {

namespace fs = std::filesystem;

std::string Description(int sections, int keysPerSection) {
  std::string text =
      "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<!DOCTYPE IniFile [\r\n"
      "<!ELEMENT IniFile (File+)>\r\n<!ELEMENT File (Section+)>\r\n"
      "<!ATTLIST File Name CDATA #REQUIRED Path CDATA #REQUIRED Unicode (yes|no) \"no\" AddACE (yes|no) \"no\">\r\n"
      "<!ELEMENT Section (Data*)>\r\n<!ATTLIST Section Name CDATA #REQUIRED>\r\n"
      "<!ELEMENT Data (#PCDATA | Condition)*>\r\n"
      "<!ATTLIST Data Key CDATA #REQUIRED Product (PLX|PLM|ALL) \"ALL\" Overwrite (yes|no) \"yes\">\r\n"
      "<!ELEMENT Condition (#PCDATA)>\r\n]>\r\n<IniFile>\r\n"
      "  <File Name=\"Pelmo.ini\" Path=\"[UserDataCacheFolder]\" Unicode=\"yes\">\r\n";
  for (int section = 0; section < sections; ++section) {
    text += "    <Section Name=\"Section" + std::to_string(section) + "\">\r\n";
    for (int key = 0; key < keysPerSection; ++key) {
      std::string number = std::to_string(key);
      text += "      <Data Key=\"Key" + number + "\" Product=\"" + (key % 2 == 0 ? "PLM" : "ALL") +
              "\">\r\n        <Condition>Flag=\"on\"</Condition>\r\n        [Root]value\\" + number +
              "\r\n      </Data>\r\n";
    }
    text += "    </Section>\r\n";
  }
  return text + "  </File>\r\n</IniFile>\r\n";
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  int sections = argc > 1 ? std::atoi(argv[1]) : 40;
  int keysPerSection = argc > 2 ? std::atoi(argv[2]) : 50;

  std::random_device random;
  standin::MachineSetup machine;
  machine.root = fs::temp_directory_path() / ("inideploy-benchmark-" + std::to_string(random()));
  standin::ResetMachine(machine);
  fs::create_directories(standin::HostPath(L"C:\\Users\\pat"));
  fs::create_directories(standin::HostPath(L"C:\\Docs"));
  std::ofstream(standin::HostPath(L"C:\\Docs\\inifile.xml"), std::ios::binary) << Description(sections, keysPerSection);

  standin::SessionSetup immediate;
  immediate.properties = {{L"INI_FILE_DOCUMENT", L"C:\\Docs\\"},
                          {L"UserDataCacheFolder", L"C:\\Users\\pat\\"},
                          {L"ProductTLA", L"PLM"},
                          {L"Flag", L"on"},
                          {L"Root", L"C:\\Data\\"}};
  auto start = std::chrono::steady_clock::now();
  MSIHANDLE prepareSession = standin::OpenSession(immediate);
  PlmPrepareWriteIni(prepareSession);
  double prepareSeconds = SecondsSince(start);

  standin::SessionSetup deferred;
  deferred.deferred = true;
  deferred.properties[L"CustomActionData"] = standin::Property(prepareSession, L"PlmWriteIni").value_or(L"");
  start = std::chrono::steady_clock::now();
  PlmWriteIni(standin::OpenSession(deferred));
  double writeSeconds = SecondsSince(start);

  std::printf("%d sections x %d keys: prepare %.3f s, write %.3f s\n", sections, keysPerSection, prepareSeconds,
              writeSeconds);
  standin::MachineSetup closed;
  closed.root = machine.root / "closed";
  standin::ResetMachine(closed);
  std::error_code error;
  fs::remove_all(machine.root, error);
  return 0;
}
