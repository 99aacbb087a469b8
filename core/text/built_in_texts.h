// Texts that Setup.exe brings in English for a workbook made before they existed: the workbook's
// text wins in every language it has; without a row the English text below is shown, never "@@".
// check_package warns about each such row a workbook lacks.
#pragma once

#include <span>
#include <string_view>

namespace localisation {

struct BuiltInText {
  std::wstring_view section;
  std::wstring_view identifier;
  std::wstring_view english;
};

std::span<const BuiltInText> BuiltInTexts();

// The English text of section and identifier (letter case ignored); "" when none is built in.
std::wstring_view BuiltInEnglish(std::wstring_view section, std::wstring_view identifier);

}  // namespace localisation
