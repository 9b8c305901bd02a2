// The operands of a condition and the rules by which the installer compares them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "msi/condition_lexer.h"

namespace standin {

struct ConditionOperand {
  enum class Kind {
    Integer,  // an integer literal or a feature or component state
    Literal,  // a quoted string literal
    Value,    // the value of a set property or environment variable (never empty)
    Unset,    // a property or environment variable without a value, an unknown feature or component
  };
  Kind kind = Kind::Unset;
  std::wstring text;
  std::int32_t integer = 0;  // the Integer operand
};

ConditionOperand IntegerOperand(std::int32_t value);
ConditionOperand LiteralOperand(std::wstring_view text);
// A property or environment value: empty or absent values are Unset.
ConditionOperand ValueOperand(const std::optional<std::wstring>& value);

// The integer a value stands for, when it is an optional minus sign and digits only; larger
// values wrap modulo 2^32 as the installer's conversion does.
std::optional<std::int32_t> IntegerOfValue(std::wstring_view text);

// An operand standing alone: true when it is a non-zero integer or a non-empty text.
bool IsTrue(const ConditionOperand& operand);

bool Compare(const ConditionOperand& left, ComparisonOperator op, bool ignoreCase, const ConditionOperand& right);

}  // namespace standin
