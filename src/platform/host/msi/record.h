// An installer record: fields 0 to n, each null, a string or an integer.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace standin {

struct RecordField {
  enum class Kind { Null, String, Integer };
  Kind kind = Kind::Null;
  std::wstring text;  // the string, or the integer written in decimal
};

struct Record {
  explicit Record(unsigned fieldCount) : fields(fieldCount + 1) {}
  unsigned FieldCount() const { return static_cast<unsigned>(fields.size() - 1); }
  std::vector<RecordField> fields;
};

}  // namespace standin
