// The tokens of the installer's conditional-statement language.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace standin {

enum class ConditionTokenKind {
  End,
  Invalid,
  Name,
  Integer,
  String,
  Not,
  And,
  Or,
  Xor,
  Eqv,
  Imp,
  OpenParen,
  CloseParen,
  Comparison,
  Environment,         // %name
  FeatureAction,       // &name
  FeatureInstalled,    // !name
  ComponentAction,     // $name
  ComponentInstalled,  // ?name
};

enum class ComparisonOperator {
  Equal,
  NotEqual,
  Less,
  LessEqual,
  Greater,
  GreaterEqual,
  Contains,
  StartsWith,
  EndsWith
};

struct ConditionToken {
  ConditionTokenKind kind = ConditionTokenKind::End;
  std::wstring_view text;  // a name, or a string literal without its quotes
  std::int32_t integer = 0;
  ComparisonOperator comparison = ComparisonOperator::Equal;
  bool ignoreCase = false;  // the comparison carried the ~ prefix
};

// Splits a condition into tokens. Only the plain blank separates tokens; any other character that
// starts no token gives an Invalid token, as does an unterminated string literal.
class ConditionLexer {
 public:
  explicit ConditionLexer(std::wstring_view text) : text_(text) {}
  ConditionToken Next();

 private:
  ConditionToken LexName();
  ConditionToken LexNumber();
  ConditionToken LexString();
  ConditionToken LexComparison(bool ignoreCase);

  std::wstring_view text_;
  std::size_t position_ = 0;
};

}  // namespace standin
