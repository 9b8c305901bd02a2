// The Windows Installer conditional-statement language.
#pragma once

#include <string_view>

#include "msi/session.h"

namespace standin {

// Evaluates a condition against a session: MSICONDITION_NONE for an empty (or blank) text,
// MSICONDITION_ERROR for anything malformed, including parentheses nested deeper than
// kMaxConditionNesting.
MSICONDITION EvaluateCondition(std::wstring_view condition, const Session& session);

inline constexpr int kMaxConditionNesting = 500;

}  // namespace standin
