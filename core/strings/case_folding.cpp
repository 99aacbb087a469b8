#include "core/strings/case_folding.h"

namespace strings {
namespace {

// Upper-case letters from `first` to `last` fold by adding `offset`. In an alternating range
// upper and lower case take turns, starting with upper case at `first`.
struct FoldingRange {
  char32_t first;
  char32_t last;
  int offset;
  bool alternating;
};

constexpr FoldingRange kFoldingRanges[] = {
    {0x00C0, 0x00D6, 0x20, false},             // À..Ö
    {0x00D8, 0x00DE, 0x20, false},             // Ø..Þ
    {0x0100, 0x012F, 1, true},                 // Ā..į
    {0x0132, 0x0137, 1, true},                 // Ĳ..ķ
    {0x0139, 0x0148, 1, true},                 // Ĺ..ň
    {0x014A, 0x0177, 1, true},                 // Ŋ..ŷ
    {0x0178, 0x0178, 0x00FF - 0x0178, false},  // Ÿ -> ÿ
    {0x0179, 0x017E, 1, true},                 // Ź..ž
    {0x0386, 0x0386, 0x26, false},             // Ά
    {0x0388, 0x038A, 0x25, false},             // Έ..Ί
    {0x038C, 0x038C, 0x40, false},             // Ό
    {0x038E, 0x038F, 0x3F, false},             // Ύ, Ώ
    {0x0391, 0x03A1, 0x20, false},             // Α..Ρ
    {0x03A3, 0x03AB, 0x20, false},             // Σ..Ϋ
    {0x03C2, 0x03C2, 1, false},                // final ς -> σ
    {0x0400, 0x040F, 0x50, false},             // Ѐ..Џ
    {0x0410, 0x042F, 0x20, false},             // А..Я
    {0x0460, 0x0481, 1, true},                 // Ѡ..ҁ
    {0x048A, 0x04BF, 1, true},                 // Ҋ..ҿ
    {0x04C0, 0x04C0, 0x0F, false},             // Ӏ -> ӏ
    {0x04C1, 0x04CE, 1, true},                 // Ӂ..ӎ
    {0x04D0, 0x052F, 1, true},                 // Ӑ..ԯ
    {0x0531, 0x0556, 0x30, false},             // Ա..Ֆ
    {0xFF21, 0xFF3A, 0x20, false},             // Ａ..Ｚ
};

}  // namespace

wchar_t FoldCase(wchar_t c) {
  const auto code = static_cast<char32_t>(c);
  if (code < 0x80) return code >= 'A' && code <= 'Z' ? static_cast<wchar_t>(code + 0x20) : c;
  for (const FoldingRange& range : kFoldingRanges) {
    if (code < range.first) break;
    if (code > range.last) continue;
    if (range.alternating && (code - range.first) % 2 != 0) return c;
    return static_cast<wchar_t>(static_cast<int>(code) + range.offset);
  }
  return c;
}

std::wstring FoldCase(std::wstring_view text) {
  std::wstring folded;
  folded.reserve(text.size());
  for (wchar_t c : text) folded.push_back(FoldCase(c));
  return folded;
}

}  // namespace strings
