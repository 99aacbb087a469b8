#include "core/xls/letter_case.h"

#include <cstddef>

namespace xls {
namespace {

// Blocks where capital and small letters alternate: the capital has the even code.
bool IsEvenCapitalPair(wchar_t c) {
  return (c >= 0x0100 && c <= 0x012F) || (c >= 0x0132 && c <= 0x0137) ||
         (c >= 0x014A && c <= 0x0177) || (c >= 0x0460 && c <= 0x0481) ||
         (c >= 0x048A && c <= 0x04BF) || (c >= 0x04D0 && c <= 0x052F);
}

// The same with the capital on the odd code.
bool IsOddCapitalPair(wchar_t c) {
  return (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E) ||
         (c >= 0x04C1 && c <= 0x04CE);
}

}  // namespace

wchar_t FoldLetterCase(wchar_t c) {
  if (c < 0x80) return (c >= L'A' && c <= L'Z') ? c + 0x20 : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (IsEvenCapitalPair(c)) return c | 1;
  if (IsOddCapitalPair(c)) return (c & 1) ? c + 1 : c;
  if (c == 0x0178) return 0x00FF;
  // Greek.
  if (c >= 0x0391 && c <= 0x03AB && c != 0x03A2) return c + 0x20;
  if (c == 0x0386) return 0x03AC;
  if (c >= 0x0388 && c <= 0x038A) return c + 0x25;
  if (c == 0x038C) return 0x03CC;
  if (c == 0x038E || c == 0x038F) return c + 0x3F;
  if (c == 0x03C2) return 0x03C3;  // final sigma
  // Cyrillic.
  if (c >= 0x0410 && c <= 0x042F) return c + 0x20;
  if (c >= 0x0400 && c <= 0x040F) return c + 0x50;
  if (c == 0x04C0) return 0x04CF;
  // Armenian.
  if (c >= 0x0531 && c <= 0x0556) return c + 0x30;
  // Full-width Latin.
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;
  return c;
}

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldLetterCase(a[i]) != FoldLetterCase(b[i])) return false;
  }
  return true;
}

bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldLetterCase(a[i]) != FoldLetterCase(b[i])) return false;
  }
  return true;
}

}  // namespace xls
