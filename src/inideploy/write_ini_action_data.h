// What the prepare action hands the write action: the CustomActionData of PlmWriteIni.
#pragma once

#include <optional>
#include <string>

#include "runtime/custom_action_session.h"

namespace inideploy {

struct WriteIniActionData {
  // The resolved temporary description.
  std::wstring tempDocument;
  // SLP_PROP as read: "1" for a standalone language pack.
  std::wstring slpValue;
  // Where the resolved description is copied afterwards, or empty.
  std::wstring targetDocument;
  // The temporary copy of the deployment INI file, when the administrator named one.
  std::optional<std::wstring> deployIniCopy;
};

// "a;b;c;" or "a;b;c;d;". The session splits at ";" and drops empty pieces, so an empty field
// travels as one blank to keep the later fields in place.
std::wstring ToCustomActionData(const WriteIniActionData& data);

// The fields of the session's CustomActionData; missing or blank fields read as empty, and an
// empty fourth field as no deployment INI file.
WriteIniActionData ReadWriteIniActionData(const runtime::CustomActionSession& session);

}  // namespace inideploy
