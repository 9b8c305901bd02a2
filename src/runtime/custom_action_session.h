// The process-wide custom-action session: the frame every exported action opens first, and the
// traced installer operations the actions work through.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32.h"
#include "runtime/printf_format.h"

namespace runtime {

class CustomActionSession {
 public:
  // Attaches the session to the installer handle, makes sure the log is a UTF-16 file, writes the
  // start line, header and run modes, classifies immediate installations and splits
  // CustomActionData into fields.
  void Begin(MSIHANDLE hInstall, const std::wstring& actionName, const std::wstring& logFileName);

  // Writes one printf-formatted line to the action log.
  template <typename... Args>
  void LogLine(const wchar_t* format, const Args&... args) {
    WriteLogLine(Printf(format, args...));
  }

  std::wstring GetProperty(std::wstring_view name);

  // Sets a property to a finished value (used verbatim), or to a value built from a format.
  UINT SetProperty(std::wstring_view name, std::wstring_view value);
  template <typename... Args>
    requires(sizeof...(Args) > 0)
  UINT SetProperty(std::wstring_view name, const wchar_t* format, const Args&... args) {
    return SetProperty(name, std::wstring_view{Printf(format, args...)});
  }

  // Evaluates a finished condition (used verbatim), or one built from a format.
  BOOL EvaluateCondition(std::wstring_view condition);
  template <typename... Args>
    requires(sizeof...(Args) > 0)
  BOOL EvaluateCondition(const wchar_t* format, const Args&... args) {
    if (!active) return FALSE;
    return EvaluateCondition(std::wstring_view{Printf(format, args...)});
  }

  // Expands installer formatted text; FormatString builds the text from a format first,
  // FormatText takes it verbatim, so a "%" in it stays.
  template <typename... Args>
  std::wstring FormatString(const wchar_t* format, const Args&... args) {
    if (!active) return {};
    return FormatText(Printf(format, args...));
  }
  std::wstring FormatText(const std::wstring& text);

  void ComputeInstallType();

  // The field at a zero-based index of CustomActionData, or nothing past the end.
  const std::wstring* CustomActionDataField(std::size_t index) const;

  std::uint32_t dwInstallType = 0;
  std::wstring logPath;
  MSIHANDLE installHandle = 0;
  std::vector<std::wstring> customActionData;
  BOOL active = FALSE;

 private:
  void WriteLogLine(const std::wstring& message);
};

// The one session of this load of the library.
CustomActionSession& TheSession();

// Splits CustomActionData at ";": runs of ";" count as one separator, trailing ones add nothing,
// and only a leading ";" yields an (empty) first field.
std::vector<std::wstring> SplitCustomActionData(std::wstring_view value);

}  // namespace runtime
