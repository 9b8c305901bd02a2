#include "msi/format_reference.h"

#include <algorithm>
#include <cstdint>

#include "control.h"

namespace standin {

namespace {

bool AllDigits(std::wstring_view text) {
  return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// The field number, saturated well past any record's field count.
unsigned FieldNumber(std::wstring_view digits) {
  constexpr std::uint64_t limit = 1u << 30;
  std::uint64_t number = 0;
  for (wchar_t c : digits) number = std::min(limit, number * 10u + static_cast<std::uint64_t>(c - L'0'));
  return static_cast<unsigned>(number);
}

Expansion Text(std::wstring value) { return Expansion{std::move(value), Expansion::Role::Text}; }

Expansion Reference(const std::optional<std::wstring>& value, Expansion::Role role = Expansion::Role::Reference) {
  return Expansion{value.value_or(std::wstring()), role};
}

Expansion FieldExpansion(std::wstring_view digits, const ReferenceContext& context) {
  if (!context.followFields) return Reference(std::nullopt);
  unsigned number = FieldNumber(digits);
  // [0] is the text being formatted itself, as it was written.
  if (number == 0) return Reference(context.record.fields[0].text);
  if (number > context.record.FieldCount()) return Reference(std::nullopt, Expansion::Role::Field);
  const RecordField& field = context.record.fields[number];
  return Reference(field.kind == RecordField::Kind::Null ? std::wstring() : field.text, Expansion::Role::Field);
}

}  // namespace

Expansion ExpandReference(std::wstring_view name, const ReferenceContext& context) {
  if (name.empty()) return Reference(std::nullopt);
  std::wstring_view rest = name.substr(1);
  switch (name.front()) {
    case L'\\':
      return Text(std::wstring(rest.substr(0, 1)));
    case L'~':
      return Text(rest.empty() ? std::wstring(1, L'\0') : std::wstring());
    case L'%':
      return Text(EnvironmentVariable(rest).value_or(std::wstring()));
    case L'#':
    case L'!':
      return Text(context.session.FilePath(rest).value_or(std::wstring()));
    case L'$':
      return Text(context.session.ComponentFolder(rest).value_or(std::wstring()));
    default:
      break;
  }
  if (context.nameIsLiteral && AllDigits(name)) return FieldExpansion(name, context);
  return Reference(context.session.ReadProperty(name));
}

}  // namespace standin
