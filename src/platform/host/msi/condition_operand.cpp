#include "msi/condition_operand.h"

#include <algorithm>

#include "msi/text_case.h"

namespace standin {

using Kind = ConditionOperand::Kind;

ConditionOperand IntegerOperand(std::int32_t value) {
  ConditionOperand operand;
  operand.kind = Kind::Integer;
  operand.integer = value;
  return operand;
}

ConditionOperand LiteralOperand(std::wstring_view text) {
  ConditionOperand operand;
  operand.kind = Kind::Literal;
  operand.text = text;
  return operand;
}

ConditionOperand ValueOperand(const std::optional<std::wstring>& value) {
  ConditionOperand operand;
  if (value && !value->empty()) {
    operand.kind = Kind::Value;
    operand.text = *value;
  }
  return operand;
}

std::optional<std::int32_t> IntegerOfValue(std::wstring_view text) {
  bool negative = !text.empty() && text.front() == L'-';
  if (negative) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  std::uint32_t magnitude = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    magnitude = magnitude * 10u + static_cast<std::uint32_t>(c - L'0');
  }
  if (negative) magnitude = 0u - magnitude;
  return static_cast<std::int32_t>(magnitude);
}

bool IsTrue(const ConditionOperand& operand) {
  switch (operand.kind) {
    case Kind::Integer:
      return operand.integer != 0;
    case Kind::Literal:
    case Kind::Value:
      return !operand.text.empty();
    case Kind::Unset:
      return false;
  }
  return false;
}

namespace {

bool CompareIntegers(std::int32_t left, ComparisonOperator op, std::int32_t right) {
  auto bits = [](std::int32_t v) { return static_cast<std::uint32_t>(v); };
  switch (op) {
    case ComparisonOperator::Equal:
      return left == right;
    case ComparisonOperator::NotEqual:
      return left != right;
    case ComparisonOperator::Less:
      return left < right;
    case ComparisonOperator::LessEqual:
      return left <= right;
    case ComparisonOperator::Greater:
      return left > right;
    case ComparisonOperator::GreaterEqual:
      return left >= right;
    // On integers the substring operators look at bits: a common bit, the high word, the low word.
    case ComparisonOperator::Contains:
      return (bits(left) & bits(right)) != 0;
    case ComparisonOperator::StartsWith:
      return (bits(left) >> 16) == bits(right);
    case ComparisonOperator::EndsWith:
      return (bits(left) & 0xFFFFu) == bits(right);
  }
  return false;
}

bool CompareTexts(std::wstring left, ComparisonOperator op, bool ignoreCase, std::wstring right) {
  if (ignoreCase) {
    // Only "contains" folds letters beyond ASCII; the other operators fold ASCII letters only.
    auto fold = op == ComparisonOperator::Contains ? FoldCase : FoldAsciiCase;
    left = fold(left);
    right = fold(right);
  }
  int order = left.compare(right);
  switch (op) {
    case ComparisonOperator::Equal:
      return order == 0;
    case ComparisonOperator::NotEqual:
      return order != 0;
    case ComparisonOperator::Less:
      return order < 0;
    case ComparisonOperator::LessEqual:
      return order <= 0;
    case ComparisonOperator::Greater:
      return order > 0;
    case ComparisonOperator::GreaterEqual:
      return order >= 0;
    case ComparisonOperator::Contains:
      return left.find(right) != std::wstring::npos;
    case ComparisonOperator::StartsWith:
      return left.starts_with(right);
    case ComparisonOperator::EndsWith:
      return left.ends_with(right);
  }
  return false;
}

// What an integer answers against something that is not one.
bool IntegerAgainstText(ComparisonOperator op) { return op == ComparisonOperator::NotEqual; }

std::optional<std::int32_t> IntegerOf(const ConditionOperand& operand) {
  switch (operand.kind) {
    case Kind::Integer:
      return operand.integer;
    case Kind::Literal:
    case Kind::Value:
      return IntegerOfValue(operand.text);
    case Kind::Unset:
      return std::nullopt;
  }
  return std::nullopt;
}

bool IsSubstringOperator(ComparisonOperator op) {
  return op == ComparisonOperator::Contains || op == ComparisonOperator::StartsWith ||
         op == ComparisonOperator::EndsWith;
}

}  // namespace

bool Compare(const ConditionOperand& left, ComparisonOperator op, bool ignoreCase, const ConditionOperand& right) {
  if (left.kind == Kind::Integer || right.kind == Kind::Integer) {
    // A quoted literal never counts as an integer against an integer literal or a state.
    bool leftNumeric = left.kind == Kind::Integer || left.kind == Kind::Value;
    bool rightNumeric = right.kind == Kind::Integer || right.kind == Kind::Value;
    auto leftInteger = leftNumeric ? IntegerOf(left) : std::nullopt;
    auto rightInteger = rightNumeric ? IntegerOf(right) : std::nullopt;
    if (!leftInteger || !rightInteger) return IntegerAgainstText(op);
    return CompareIntegers(*leftInteger, op, *rightInteger);
  }
  // Two texts compare as numbers when both look like integers, unless both are quoted literals.
  if (left.kind != Kind::Literal || right.kind != Kind::Literal) {
    auto leftInteger = IntegerOf(left);
    auto rightInteger = IntegerOf(right);
    if (leftInteger && rightInteger) return CompareIntegers(*leftInteger, op, *rightInteger);
  }
  // An empty or unset left side contains nothing, not even the empty text.
  if (left.text.empty() && IsSubstringOperator(op)) return false;
  return CompareTexts(left.text, op, ignoreCase, right.text);
}

}  // namespace standin
