#include "msi/text_case.h"

namespace standin {

namespace {

wchar_t FoldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 0x20) : c; }

bool Between(wchar_t c, wchar_t first, wchar_t last) { return c >= first && c <= last; }

wchar_t FoldLetter(wchar_t c) {
  if (c < 0x80) return FoldAscii(c);
  // Latin-1 capitals (without the multiplication sign).
  if (Between(c, 0xC0, 0xDE) && c != 0xD7) return static_cast<wchar_t>(c + 0x20);
  // Latin Extended-A: capital and small letters alternate, the capital first...
  if ((Between(c, 0x100, 0x12F) || Between(c, 0x132, 0x137) || Between(c, 0x14A, 0x177)))
    return static_cast<wchar_t>(c | 1);
  // ...except where the small letter comes first.
  if ((Between(c, 0x139, 0x148) || Between(c, 0x179, 0x17E)) && (c & 1) != 0) return static_cast<wchar_t>(c + 1);
  if (c == 0x178) return 0xFF;
  // Greek.
  if (Between(c, 0x391, 0x3A9) && c != 0x3A2) return static_cast<wchar_t>(c + 0x20);
  if (c == 0x386) return 0x3AC;
  if (Between(c, 0x388, 0x38A)) return static_cast<wchar_t>(c + 0x25);
  if (c == 0x38C) return 0x3CC;
  if (Between(c, 0x38E, 0x38F)) return static_cast<wchar_t>(c + 0x3F);
  // Cyrillic.
  if (Between(c, 0x410, 0x42F)) return static_cast<wchar_t>(c + 0x20);
  if (Between(c, 0x400, 0x40F)) return static_cast<wchar_t>(c + 0x50);
  return c;
}

template <typename Fold>
std::wstring FoldEach(std::wstring_view text, Fold fold) {
  std::wstring folded(text);
  for (wchar_t& c : folded) c = fold(c);
  return folded;
}

}  // namespace

std::wstring FoldAsciiCase(std::wstring_view text) { return FoldEach(text, FoldAscii); }
std::wstring FoldCase(std::wstring_view text) { return FoldEach(text, FoldLetter); }

}  // namespace standin
