// A recursive-descent parser that evaluates as it parses (operands have no side effects).
//
//   expression := not-term { logical-operator not-term }   (AND binds tighter than OR, then XOR,
//                                                            EQV and IMP; each groups from the left)
//   not-term   := { NOT } term
//   term       := "(" expression ")" | operand [ comparison operand ]
//   operand    := name | integer | "string" | % name | & name | ! name | $ name | ? name
#include "msi/condition.h"

#include "msi/condition_lexer.h"
#include "msi/condition_operand.h"

namespace standin {

namespace {

using Kind = ConditionTokenKind;

// Binding strength of a logical operator; 0 for any other token.
int Precedence(Kind kind) {
  switch (kind) {
    case Kind::And:
      return 5;
    case Kind::Or:
      return 4;
    case Kind::Xor:
      return 3;
    case Kind::Eqv:
      return 2;
    case Kind::Imp:
      return 1;
    default:
      return 0;
  }
}

bool Apply(Kind op, bool left, bool right) {
  switch (op) {
    case Kind::And:
      return left && right;
    case Kind::Or:
      return left || right;
    case Kind::Xor:
      return left != right;
    case Kind::Eqv:
      return left == right;
    case Kind::Imp:
      return !left || right;
    default:
      return false;
  }
}

ConditionOperand StateOperand(const std::optional<ItemState>& state, bool installed) {
  if (!state) return ValueOperand(std::nullopt);
  return IntegerOperand(installed ? state->installed : state->action);
}

class ConditionParser {
 public:
  ConditionParser(std::wstring_view text, const Session& session) : lexer_(text), session_(session) { Advance(); }

  MSICONDITION Evaluate() {
    bool result = ParseExpression(1, 0);
    if (malformed_ || current_.kind != Kind::End) return MSICONDITION_ERROR;
    return result ? MSICONDITION_TRUE : MSICONDITION_FALSE;
  }

 private:
  void Advance() { current_ = lexer_.Next(); }

  bool Malformed() {
    malformed_ = true;
    return false;
  }

  // Operators of at least minimumPrecedence, grouped from the left.
  bool ParseExpression(int minimumPrecedence, int nesting) {
    bool left = ParseNotTerm(nesting);
    while (!malformed_ && Precedence(current_.kind) >= minimumPrecedence) {
      Kind op = current_.kind;
      Advance();
      bool right = ParseExpression(Precedence(op) + 1, nesting);
      left = Apply(op, left, right);
    }
    return left;
  }

  bool ParseNotTerm(int nesting) {
    bool negate = false;
    for (; current_.kind == Kind::Not; Advance()) negate = !negate;
    return ParseTerm(nesting) != negate;
  }

  bool ParseTerm(int nesting) {
    if (current_.kind == Kind::OpenParen) {
      if (nesting >= kMaxConditionNesting) return Malformed();
      Advance();
      bool value = ParseExpression(1, nesting + 1);
      if (malformed_) return false;
      if (current_.kind != Kind::CloseParen) return Malformed();
      Advance();
      return value;
    }
    auto left = ParseOperand();
    if (!left) return Malformed();
    if (current_.kind != Kind::Comparison) return IsTrue(*left);
    ConditionToken comparison = current_;
    Advance();
    auto right = ParseOperand();
    if (!right) return Malformed();
    return Compare(*left, comparison.comparison, comparison.ignoreCase, *right);
  }

  std::optional<ConditionOperand> ParseOperand() {
    ConditionToken token = current_;
    Advance();
    switch (token.kind) {
      case Kind::Name:
        return ValueOperand(session_.ReadProperty(token.text));
      case Kind::Integer:
        return IntegerOperand(token.integer);
      case Kind::String:
        return LiteralOperand(token.text);
      case Kind::Environment:
      case Kind::FeatureAction:
      case Kind::FeatureInstalled:
      case Kind::ComponentAction:
      case Kind::ComponentInstalled:
        break;
      default:
        return std::nullopt;
    }
    if (current_.kind != Kind::Name) return std::nullopt;
    std::wstring_view name = current_.text;
    Advance();
    switch (token.kind) {
      case Kind::Environment:
        return ValueOperand(EnvironmentVariable(name));
      case Kind::FeatureAction:
        return StateOperand(session_.Feature(name), false);
      case Kind::FeatureInstalled:
        return StateOperand(session_.Feature(name), true);
      case Kind::ComponentAction:
        return StateOperand(session_.Component(name), false);
      default:
        return StateOperand(session_.Component(name), true);
    }
  }

  ConditionLexer lexer_;
  const Session& session_;
  ConditionToken current_;
  bool malformed_ = false;
};

}  // namespace

MSICONDITION EvaluateCondition(std::wstring_view condition, const Session& session) {
  if (condition.find_first_not_of(L' ') == std::wstring_view::npos) return MSICONDITION_NONE;
  return ConditionParser(condition, session).Evaluate();
}

}  // namespace standin
