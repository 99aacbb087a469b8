// Ordering of version texts, as the installed version is weighed against the packaged one.
#pragma once

#include <string_view>

namespace version {

// Compares the texts as plain text, UTF-16 code unit by code unit from the left: the first unit
// that differs decides, and a text that is the beginning of the other is the smaller one. Parts
// are not read as numbers, so "1.9" is greater than "1.10" and "2.0" smaller than "2.0.1".
// Where wchar_t holds whole code points, characters above U+FFFF are compared by their UTF-16
// surrogates, which keeps the order the same as on Windows.
// Returns a negative number, zero or a positive number as `a` is smaller than, equal to or
// greater than `b`.
int CompareVersionText(std::wstring_view a, std::wstring_view b);

}  // namespace version
