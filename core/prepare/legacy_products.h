// The family's earlier products, as its former installer packages registered them: a product
// code (compared with %REG_FODLER_PROGNAME) and the three display names they used.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace prepare {

struct LegacyProduct {
  const wchar_t* code;
  const wchar_t* traditionalChineseName;  // followed by the English name in brackets
  const wchar_t* simplifiedChineseName;   // likewise
  const wchar_t* englishName;
};

// Appends the three display names of the first product whose code equals `code` exactly.
void GetLegacyDisplayNames(std::wstring_view code, std::vector<std::wstring>& names);

}  // namespace prepare
