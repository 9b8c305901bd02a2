// libFuzzer target: any bytes, read as UTF-8, split at each 0x01 byte into field 0 and up to
// three more fields of a record, formatted.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_session.h"
#include "msi/format.h"
#include "platform/unicode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  standin::Record record(3);
  for (std::size_t field = 0; field <= record.FieldCount() && !input.empty(); ++field) {
    std::size_t end = input.find('\x01');
    record.fields[field].kind = standin::RecordField::Kind::String;
    record.fields[field].text = unicode::FromUtf8(input.substr(0, end));
    input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
  }
  standin::FormatRecord(record, fuzzing::FuzzSession());
  return 0;
}
