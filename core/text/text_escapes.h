// The codes a spreadsheet text may hold for line breaks, runs of blanks and the product name.
#pragma once

#include <string>
#include <string_view>

namespace localisation {

// Replaces, in this order and each on the result of the one before: four backslashes by a line
// feed; "%R1" by a carriage return; "%R2" by two; "%B10" to "%B35" by one blank fewer than the
// number; "%B1" to "%B9" by as many blanks as the number. Codes are case-sensitive.
std::wstring ExpandEscapes(std::wstring_view text);

// Every "%P" replaced by the product name; an empty name leaves the text unchanged.
std::wstring InsertProductName(std::wstring_view text, std::wstring_view productName);

// Decimal digits with a leading minus sign for negative numbers, nothing else.
std::wstring NumberToText(long long n);

}  // namespace localisation
