// The text a numeric cell gives.
#pragma once

#include <string>

namespace xls {

// The shortest decimal text that reads back as the same double, laid out like JavaScript's
// Number-to-string: plain digits for magnitudes from 1e-6 up to (not including) 1e21, exponent
// form outside that range. 1 -> "1", 2.5 -> "2.5", -3 -> "-3", 0.1 -> "0.1", 1e21 -> "1e+21",
// 1.5e-7 -> "1.5e-7". Negative zero gives "0"; infinities and NaN, which no spreadsheet
// stores, give "#NUM!".
std::wstring NumberText(double value);

}  // namespace xls
