#include "core/text/text_escapes.h"

#include "core/strings/string_util.h"

namespace localisation {

namespace {

std::wstring ReplaceBlankCode(std::wstring_view text, int code, std::size_t blanks) {
  return strings::ReplaceAll(text, L"%B" + NumberToText(code), std::wstring(blanks, L' '));
}

}  // namespace

std::wstring ExpandEscapes(std::wstring_view text) {
  std::wstring result = strings::ReplaceAll(text, L"\\\\\\\\", L"\n");
  result = strings::ReplaceAll(result, L"%R1", L"\r");
  result = strings::ReplaceAll(result, L"%R2", L"\r\r");
  // The two-digit codes go first so that "%B12" is not taken as "%B1" and a "2". From "%B10" on
  // a code gives one blank fewer than its number, so "%B9" and "%B10" both give nine.
  for (int code = 10; code <= 35; ++code) result = ReplaceBlankCode(result, code, code - 1);
  for (int code = 1; code <= 9; ++code) result = ReplaceBlankCode(result, code, code);
  return result;
}

std::wstring InsertProductName(std::wstring_view text, std::wstring_view productName) {
  if (productName.empty()) return std::wstring(text);
  return strings::ReplaceAll(text, L"%P", productName);
}

std::wstring NumberToText(long long n) {
  return std::to_wstring(n);
}

}  // namespace localisation
