// Comparison of sheet and stream names without regard to letter case.
#pragma once

#include <string_view>

namespace xls {

// Maps capital letters of the Latin, Greek, Cyrillic and Armenian alphabets (and the full-width
// Latin ones) to their small forms; every other character maps to itself.
wchar_t FoldLetterCase(wchar_t c);

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b);
bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace xls
