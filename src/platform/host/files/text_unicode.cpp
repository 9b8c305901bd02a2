// IsTextUnicode: the tests the runtime relies on. A head that starts with the UTF-16LE byte-order
// mark, or that reads as 16-bit ASCII (every high byte zero), is Unicode; 8-bit text, an odd
// length, a reversed mark and an empty head are not.
#include "platform/win32.h"

extern "C" BOOL IsTextUnicode(const void* lpv, int iSize, LPINT lpiResult) {
  const auto* bytes = static_cast<const unsigned char*>(lpv);
  int asked = lpiResult == nullptr ? ~0 : *lpiResult;
  int found = 0;
  if (bytes == nullptr || iSize < 2) {
    if (lpiResult != nullptr) *lpiResult = 0;
    return FALSE;
  }
  if ((iSize & 1) != 0) found |= IS_TEXT_UNICODE_ODD_LENGTH;
  if (bytes[0] == 0xFF && bytes[1] == 0xFE) found |= IS_TEXT_UNICODE_SIGNATURE;
  if (bytes[0] == 0xFE && bytes[1] == 0xFF) found |= IS_TEXT_UNICODE_REVERSE_SIGNATURE;
  bool highZero = true;
  bool lowZero = true;
  for (int i = 0; i + 1 < iSize; i += 2) {
    if (bytes[i] == 0 && bytes[i + 1] == 0) found |= IS_TEXT_UNICODE_NULL_BYTES;
    if (bytes[i + 1] != 0) highZero = false;
    if (bytes[i] != 0) lowZero = false;
  }
  if (highZero) found |= IS_TEXT_UNICODE_ASCII16;
  if (lowZero) found |= IS_TEXT_UNICODE_REVERSE_ASCII16;
  found &= asked;
  if (lpiResult != nullptr) *lpiResult = found;
  if ((found & (IS_TEXT_UNICODE_NOT_UNICODE_MASK | IS_TEXT_UNICODE_REVERSE_MASK)) != 0 &&
      (found & IS_TEXT_UNICODE_SIGNATURE) == 0) {
    return FALSE;
  }
  return (found & IS_TEXT_UNICODE_UNICODE_MASK) != 0 ? TRUE : FALSE;
}
