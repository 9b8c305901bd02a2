// The installer session both language fuzz targets run against: properties of every shape the
// languages treat differently, environment variables, and feature, component and file tables.
#pragma once

#include "msi/session.h"
#include "platform/host/control.h"

namespace fuzzing {

inline const standin::Session& FuzzSession() {
  static const standin::Session session = [] {
    standin::SetEnvironmentVariable(L"ORV", L"xyz");
    standin::SetEnvironmentVariable(L"ORVNUM", L"5");
    standin::SetEnvironmentVariable(L"ORVEMPTY", L"");
    standin::SessionSetup setup;
    setup.properties = {{L"T", L"1"},
                        {L"A", L"alpha"},
                        {L"B", L"beta"},
                        {L"N", L"05"},
                        {L"BIG", L"4294967297"},
                        {L"NEG", L"-7"},
                        {L"REF", L"[A]"},
                        {L"ENV", L"%ORV"},
                        {L"ESC", L"\\["},
                        {L"NUL", L"~"},
                        {L"ONE", L"1"},
                        {L"UML", L"\u00c4\u00d6\u00dc"},
                        {L"Installed", L"00:00:00"}};
    setup.features[L"Main"] = {INSTALLSTATE_ABSENT, INSTALLSTATE_LOCAL};
    setup.components[L"C1"] = {INSTALLSTATE_ABSENT, INSTALLSTATE_LOCAL};
    setup.componentFolders[L"C1"] = L"C:\\Probe\\";
    setup.filePaths[L"F1"] = L"C:\\Probe\\f1.txt";
    return standin::Session(setup);
  }();
  return session;
}

}  // namespace fuzzing
