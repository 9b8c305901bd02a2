#include "property_action_test.h"

#include "runtime/custom_action_session.h"

namespace actions_test {

void PropertyActionTest::SetUp() {
  MachineTest::SetUp();
  NextCase();
}

void PropertyActionTest::NextCase() {
  ResetMachine(setup_);
  // The session lives as long as the library; a classification left from an earlier run would
  // carry its flags into this one.
  runtime::TheSession().dwInstallType = 0;
}

std::vector<std::wstring> PropertyActionTest::ActionLogLines() const {
  std::wstring text = testing_support::FromUtf16(ReadBytes(L"C:\\Temp\\PelmoCustom.log"));
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  for (std::size_t i = lines.size(); i-- > 0;) {
    if (lines[i].starts_with(L"    => Get: CustomActionData: ")) {
      return {lines.begin() + static_cast<std::ptrdiff_t>(i) + 1, lines.end()};
    }
  }
  ADD_FAILURE() << "the log holds no opened session";
  return {};
}

std::vector<std::wstring> PropertyActionTest::PropertyLogLines() const {
  std::vector<std::wstring> lines;
  for (const std::wstring& line : ActionLogLines()) {
    if (line.starts_with(L"    => Get: ") || line.starts_with(L"    => Set: ")) lines.push_back(line);
  }
  return lines;
}

std::wstring LongText(std::size_t length) {
  std::wstring text;
  for (std::size_t i = 0; text.size() < length; ++i) text += static_cast<wchar_t>(L'a' + i % 26);
  return text;
}

}  // namespace actions_test
