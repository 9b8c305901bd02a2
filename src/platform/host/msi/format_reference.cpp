#include "msi/format_reference.h"

#include <algorithm>

#include "control.h"

namespace standin {

namespace {

bool AllDigits(std::wstring_view text) {
  return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// The field number, saturated well past any record's field count.
unsigned FieldNumber(std::wstring_view digits) {
  constexpr unsigned limit = 1u << 30;
  unsigned number = 0;
  for (wchar_t c : digits) number = std::min(limit, number * 10u + static_cast<unsigned>(c - L'0'));
  return number;
}

Expansion Found(const std::optional<std::wstring>& value, Expansion::Role role = Expansion::Role::Reference) {
  return Expansion{.value = value.value_or(std::wstring()), .role = role};
}

Expansion FieldExpansion(std::wstring_view digits, const ReferenceContext& context) {
  unsigned number = FieldNumber(digits);
  // [0] and, inside a field's value, every field reference stay as written.
  if (number == 0 || !context.followFields) {
    return Expansion{.value = L"[" + std::wstring(digits) + L"]", .role = Expansion::Role::Text};
  }
  if (number > context.record.FieldCount()) return Expansion{std::wstring(), Expansion::Role::Field};
  const RecordField& field = context.record.fields[number];
  return Expansion{.value = field.kind == RecordField::Kind::Null ? std::wstring() : field.text,
                   .role = Expansion::Role::Field};
}

}  // namespace

Expansion ExpandReference(std::wstring_view name, const ReferenceContext& context) {
  if (name.empty()) return Expansion{std::wstring(), Expansion::Role::Reference};
  std::wstring_view rest = name.substr(1);
  switch (name.front()) {
    case L'\\':
      return Expansion{.value = std::wstring(rest.substr(0, 1)), .role = Expansion::Role::Text};
    case L'%':
      return Found(EnvironmentVariable(rest), Expansion::Role::Environment);
    case L'#':
    case L'!':
      return Found(context.session.FilePath(rest));
    case L'$':
      return Found(context.session.ComponentFolder(rest));
    default:
      break;
  }
  if (name == L"~") return Expansion{.value = std::wstring(1, L'\0'), .role = Expansion::Role::Text};
  if (context.nameIsLiteral && AllDigits(name)) return FieldExpansion(name, context);
  return Found(context.session.ReadProperty(name));
}

}  // namespace standin
