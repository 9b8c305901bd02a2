#include "msi/condition_lexer.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace standin {

namespace {

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool StartsName(wchar_t c) { return IsAsciiLetter(c) || c == L'_'; }
bool ContinuesName(wchar_t c) { return StartsName(c) || IsDigit(c) || c == L'.' || c == L'-'; }

bool EqualsIgnoringAsciiCase(std::wstring_view text, std::wstring_view upperWord) {
  if (text.size() != upperWord.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    if (c != upperWord[i]) return false;
  }
  return true;
}

ConditionToken Simple(ConditionTokenKind kind) {
  ConditionToken token;
  token.kind = kind;
  return token;
}

}  // namespace

ConditionToken ConditionLexer::Next() {
  while (position_ < text_.size() && text_[position_] == L' ') ++position_;
  if (position_ == text_.size()) return Simple(ConditionTokenKind::End);

  wchar_t c = text_[position_];
  if (StartsName(c)) return LexName();
  if (IsDigit(c) || c == L'-' || c == L'.') return LexNumber();
  if (c == L'"') return LexString();
  if (c == L'~') {
    ++position_;
    bool operatorFollows =
        position_ < text_.size() && (text_[position_] == L'=' || text_[position_] == L'<' || text_[position_] == L'>');
    return operatorFollows ? LexComparison(true) : Simple(ConditionTokenKind::Invalid);
  }
  if (c == L'=' || c == L'<' || c == L'>') return LexComparison(false);

  ConditionTokenKind kind;
  switch (c) {
    case L'(':
      kind = ConditionTokenKind::OpenParen;
      break;
    case L')':
      kind = ConditionTokenKind::CloseParen;
      break;
    case L'%':
      kind = ConditionTokenKind::Environment;
      break;
    case L'&':
      kind = ConditionTokenKind::FeatureAction;
      break;
    case L'!':
      kind = ConditionTokenKind::FeatureInstalled;
      break;
    case L'$':
      kind = ConditionTokenKind::ComponentAction;
      break;
    case L'?':
      kind = ConditionTokenKind::ComponentInstalled;
      break;
    default:
      return Simple(ConditionTokenKind::Invalid);
  }
  ++position_;
  return Simple(kind);
}

ConditionToken ConditionLexer::LexName() {
  std::size_t start = position_;
  while (position_ < text_.size() && ContinuesName(text_[position_])) ++position_;
  std::wstring_view name = text_.substr(start, position_ - start);

  // Keywords are whole words in any letter case; NOTX or ORDER stay names.
  static constexpr std::array<std::pair<std::wstring_view, ConditionTokenKind>, 6> keywords{{
      {L"NOT", ConditionTokenKind::Not},
      {L"AND", ConditionTokenKind::And},
      {L"OR", ConditionTokenKind::Or},
      {L"XOR", ConditionTokenKind::Xor},
      {L"EQV", ConditionTokenKind::Eqv},
      {L"IMP", ConditionTokenKind::Imp},
  }};
  for (const auto& [word, kind] : keywords) {
    if (EqualsIgnoringAsciiCase(name, word)) return Simple(kind);
  }
  ConditionToken token = Simple(ConditionTokenKind::Name);
  token.text = name;
  return token;
}

// A number starts with a digit, a minus sign or a dot and runs over those; its value is an
// optional minus sign and the digits after it, up to the first other character (5-3 is 5, 1.5 is
// 1, a lone - or . is 0), saturated at the 32-bit range.
ConditionToken ConditionLexer::LexNumber() {
  std::size_t start = position_;
  while (position_ < text_.size() &&
         (IsDigit(text_[position_]) || text_[position_] == L'.' || text_[position_] == L'-')) {
    ++position_;
  }
  std::wstring_view number = text_.substr(start, position_ - start);
  bool negative = number.front() == L'-';
  if (negative) number.remove_prefix(1);
  constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (std::size_t i = 0; i < number.size() && IsDigit(number[i]); ++i) {
    magnitude = std::min(limit, magnitude * 10 + (number[i] - L'0'));
  }
  std::int64_t value = negative ? -magnitude : std::min(magnitude, limit - 1);
  ConditionToken token = Simple(ConditionTokenKind::Integer);
  token.integer = static_cast<std::int32_t>(value);
  return token;
}

ConditionToken ConditionLexer::LexString() {
  std::size_t close = text_.find(L'"', position_ + 1);
  if (close == std::wstring_view::npos) {
    position_ = text_.size();
    return Simple(ConditionTokenKind::Invalid);
  }
  std::wstring_view content = text_.substr(position_ + 1, close - position_ - 1);
  position_ = close + 1;
  ConditionToken token = Simple(ConditionTokenKind::String);
  token.text = content;
  return token;
}

ConditionToken ConditionLexer::LexComparison(bool ignoreCase) {
  wchar_t first = text_[position_++];
  wchar_t second = position_ < text_.size() ? text_[position_] : L'\0';
  ComparisonOperator op;
  bool twoCharacters = true;
  if (first == L'=') {
    op = ComparisonOperator::Equal;
    twoCharacters = false;
  } else if (first == L'<') {
    switch (second) {
      case L'>':
        op = ComparisonOperator::NotEqual;
        break;
      case L'=':
        op = ComparisonOperator::LessEqual;
        break;
      case L'<':
        op = ComparisonOperator::StartsWith;
        break;
      default:
        op = ComparisonOperator::Less;
        twoCharacters = false;
    }
  } else {
    switch (second) {
      case L'=':
        op = ComparisonOperator::GreaterEqual;
        break;
      case L'<':
        op = ComparisonOperator::Contains;
        break;
      case L'>':
        op = ComparisonOperator::EndsWith;
        break;
      default:
        op = ComparisonOperator::Greater;
        twoCharacters = false;
    }
  }
  if (twoCharacters) ++position_;
  ConditionToken token = Simple(ConditionTokenKind::Comparison);
  token.comparison = op;
  token.ignoreCase = ignoreCase;
  return token;
}

}  // namespace standin
