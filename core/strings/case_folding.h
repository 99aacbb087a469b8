// Letter-case folding for names that are matched without regard to case: INI sections and keys,
// text identifiers. Windows compares such names with its full Unicode tables; this portable
// folding covers the scripts such names are written in: Basic Latin, Latin-1, Latin Extended-A,
// Greek, Cyrillic and the full-width Latin letters. Other characters fold to themselves.
#pragma once

#include <string>
#include <string_view>

namespace strings {

// The simple (one-to-one) lower-case folding of `c`; "ß" and other characters whose folding
// would take several characters stay unchanged.
wchar_t FoldCase(wchar_t c);

std::wstring FoldCase(std::wstring_view text);

}  // namespace strings
