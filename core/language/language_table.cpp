#include "core/language/language_table.h"

#include <algorithm>

namespace localisation {

namespace {

// A Windows LANGID holds the primary language in its low 10 bits, the sub-language above them.
constexpr std::uint16_t kPrimaryLanguageMask = 0x03FF;
constexpr int kSubLanguageShift = 10;

constexpr LanguageRow kLanguages[] = {
    {L"ChineseT", 0x0404, {0x0404, 0x0C04, 0x1004}, 0, 0, 0},
    {L"ChineseS", 0x0804, {0x0804}, 0, 0, 0},
    {L"Russian", 0x0419, {0x0419}, 0, 0, 0},
    {L"Turkish", 0x041F, {0x041F}, 0, 0, 0},
    {L"Italian", 0x0410, {0x0410, 0x0810}, 0, 0, 0},
    {L"Spanish", 0x2C0A, {}, 0x0A, 2, 20},
    {L"Portuguese", 0x0416, {0x0416, 0x0816}, 0, 0, 0},
    {L"French", 0x080C, {}, 0x0C, 1, 6},
    {L"Dutch", 0x0813, {0x0413, 0x0813}, 0, 0, 0},
    {L"German", 0x0C07, {}, 0x07, 1, 5},
    {L"Japanese", 0x0411, {0x0411}, 0, 0, 0},
    {L"Korean", 0x0412, {0x0412}, 0, 0, 0},
    {L"Polish", 0x0415, {0x0415}, 0, 0, 0},
    {L"Indonesian", 0x0421, {0x0421}, 0, 0, 0},
    {L"Czech", 0x0405, {0x0405}, 0, 0, 0},
    {L"Romanian", 0x0418, {0x0418, 0x0818}, 0, 0, 0},
    {L"Malay", 0x043E, {0x043E, 0x083E}, 0, 0, 0},
    {L"Swedish", 0x041D, {0x041D, 0x081D}, 0, 0, 0},
    {L"Vietnamese", 0x042A, {0x042A}, 0, 0, 0},
    {L"Norwegian", 0x0414, {0x0414, 0x0814}, 0, 0, 0},
    {L"Finnish", 0x040B, {0x040B}, 0, 0, 0},
    {L"Hungarian", 0x040E, {0x040E}, 0, 0, 0},
    {L"Bulgarian", 0x0402, {0x0402}, 0, 0, 0},
    {L"Greek", 0x0408, {0x0408}, 0, 0, 0},
    {L"Croatian", 0x041A, {0x041A}, 0, 0, 0},
    {L"Danish", 0x0406, {0x0406}, 0, 0, 0},
    {L"Persian", 0x0429, {0x0429}, 0, 0, 0},
    {L"Arabic", 0x0401, {}, 0x01, 1, 16},
    {L"Estonian", 0x0425, {0x0425}, 0, 0, 0},
    {L"Azerbaijan", 0x042C, {0x042C, 0x082C}, 0, 0, 0},
    {L"Macedonian", 0x042F, {0x042F}, 0, 0, 0},
    {L"Thai", 0x041E, {0x041E}, 0, 0, 0},
    {L"Slovak", 0x041B, {0x041B}, 0, 0, 0},
    {kFallbackLanguage, kFallbackLanguageCode, {}, 0, 0, 0},
};

bool Selects(const LanguageRow& row, std::uint16_t langId) {
  // A zero in `ids` is an unused slot, and 0 is no real LANGID.
  if (langId != 0 && std::ranges::find(row.ids, langId) != row.ids.end()) return true;
  if (row.subFirst == 0 || (langId & kPrimaryLanguageMask) != row.primary) return false;
  const int subLanguage = langId >> kSubLanguageShift;
  return subLanguage >= row.subFirst && subLanguage <= row.subLast;
}

}  // namespace

std::span<const LanguageRow> LanguageTable() {
  return kLanguages;
}

std::wstring LanguageNameForId(std::uint16_t langId) {
  for (const LanguageRow& row : kLanguages) {
    if (Selects(row, langId)) return std::wstring(row.name);
  }
  return std::wstring(kFallbackLanguage);
}

std::uint16_t LanguageCodeFor(std::wstring_view name) {
  for (const LanguageRow& row : kLanguages) {
    if (row.name == name) return row.code;
  }
  return kFallbackLanguageCode;
}

std::wstring LanguageColumnForId(std::uint16_t code) {
  return LanguageNameForId(code);
}

bool IsRightToLeftLanguage(std::wstring_view name) {
  return name == L"Arabic" || name == L"Persian";
}

}  // namespace localisation
