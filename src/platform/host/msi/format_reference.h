// What one bracketed reference of formatted text stands for.
#pragma once

#include <string>
#include <string_view>

#include "msi/record.h"
#include "msi/session.h"

namespace standin {

struct Expansion {
  enum class Role {
    Text,         // an escape, [~] or a reference left as written: decides no brace group
    Reference,    // a property, file or component: a brace group keeps it only when it has a value
    Field,        // a record field: like Reference; its value still has to be formatted
    Environment,  // an environment variable: a brace group disappears without it, but keeps its braces
  };
  std::wstring value;
  Role role = Role::Text;
};

struct ReferenceContext {
  const Record& record;
  const Session& session;
  bool nameIsLiteral;  // written in the text itself, not built from expansions: may be a field number
  bool followFields;   // false inside a field's own value, where field references stay as written
};

// The expansion of the name between one pair of brackets.
Expansion ExpandReference(std::wstring_view name, const ReferenceContext& context);

}  // namespace standin
