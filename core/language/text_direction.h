// The direction a text reads in, told by its first letter of a script with a direction of its own
// (digits, punctuation and spaces have none): a licence in Arabic reads right to left, the English
// one that stands in for it left to right, whichever way the wizard is mirrored.
#pragma once

#include <string_view>

namespace localisation {

// Whether the first such letter of `text` is Hebrew, Arabic or of a script written like them;
// false for a text without one.
bool ReadsRightToLeft(std::wstring_view text);

}  // namespace localisation
