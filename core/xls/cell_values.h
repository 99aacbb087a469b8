// Texts of the non-string cell values.
#pragma once

#include <cstdint>
#include <string>

namespace xls {

// An RK value: a double with only its upper 30 bits stored, or a 30-bit integer, optionally
// to be divided by 100.
double DecodeRk(std::uint32_t rk);

// "TRUE" and "FALSE", as Excel shows them in English.
std::wstring BooleanText(bool value);

// Excel's error literals: "#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A",
// "#GETTING_DATA"; an unknown code gives "#N/A".
std::wstring ErrorText(std::uint8_t code);

}  // namespace xls
