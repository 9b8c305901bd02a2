// What one bracketed reference of formatted text stands for.
#pragma once

#include <string>
#include <string_view>

#include "msi/record.h"
#include "msi/session.h"

namespace standin {

struct Expansion {
  enum class Role {
    Text,       // an escape, [~], an environment variable, a file or a component folder: decides
                // nothing about a brace group
    Reference,  // a property or field: a brace group keeps it only with a value
    Field,      // a record field: a Reference whose value still has to be formatted
  };
  std::wstring value;
  Role role = Role::Text;
};

struct ReferenceContext {
  const Record& record;
  const Session& session;
  bool nameIsLiteral;  // written in the text itself, not built from expansions: may be a field number
  bool followFields;   // false inside a field's own value, where field references give nothing
};

// The expansion of the name between one pair of brackets.
Expansion ExpandReference(std::wstring_view name, const ReferenceContext& context);

}  // namespace standin
