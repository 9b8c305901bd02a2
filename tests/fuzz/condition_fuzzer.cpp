// libFuzzer target: any bytes, read as UTF-8, as a condition.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_session.h"
#include "msi/condition.h"
#include "platform/unicode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::wstring condition = unicode::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  MSICONDITION result = standin::EvaluateCondition(condition, fuzzing::FuzzSession());
  if (result < MSICONDITION_FALSE || result > MSICONDITION_ERROR) __builtin_trap();
  return 0;
}
