#include "core/language/text_direction.h"

namespace localisation {
namespace {

enum class Direction { kNone, kLeftToRight, kRightToLeft };

Direction DirectionOf(wchar_t c) {
  // Hebrew, Arabic, Syriac, Thaana, N'Ko, Samaritan, Mandaic and the Arabic presentation forms.
  if ((c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFDFF) ||
      (c >= 0xFE70 && c <= 0xFEFE)) {
    return Direction::kRightToLeft;
  }
  if ((c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z')) return Direction::kLeftToRight;
  // Latin with marks, Greek, Cyrillic, Armenian; the Indic and South-East Asian scripts up to the
  // punctuation block; kana, CJK ideographs and Hangul.
  if ((c >= 0x00C0 && c <= 0x058F && c != 0x00D7 && c != 0x00F7) || (c >= 0x0900 && c <= 0x1FFF) ||
      (c >= 0x3040 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF)) {
    return Direction::kLeftToRight;
  }
  return Direction::kNone;
}

}  // namespace

bool ReadsRightToLeft(std::wstring_view text) {
  for (const wchar_t c : text) {
    const Direction direction = DirectionOf(c);
    if (direction != Direction::kNone) return direction == Direction::kRightToLeft;
  }
  return false;
}

}  // namespace localisation
