// A stand-in machine for driving the property actions as an installer does, with the action's own
// log lines and the properties it left behind at hand.
#pragma once

#include <gmock/gmock.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "test_machine.h"

namespace actions_test {

class PropertyActionTest : public testing_support::MachineTest {
 protected:
  void SetUp() override;

  // A clean installer for the next case of a table: no sessions, no installed products, no
  // classification left over. Files, the log among them, stay.
  void NextCase();

  // The log lines of the last action after the session's opening lines (which end with the
  // CustomActionData read).
  std::vector<std::wstring> ActionLogLines() const;
  // Only the "Get" and "Set" lines among them.
  std::vector<std::wstring> PropertyLogLines() const;

  std::optional<std::wstring> PropertyOf(MSIHANDLE session, const std::wstring& name) const {
    return standin::Property(session, name);
  }
};

// A text of the given length that shows where it was cut.
std::wstring LongText(std::size_t length);

}  // namespace actions_test
