#include "core/xls/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string_view>

namespace xls {
namespace {

void AppendAscii(std::wstring& text, std::string_view ascii) {
  for (char c : ascii) text.push_back(static_cast<wchar_t>(c));
}

}  // namespace

std::wstring NumberText(double value) {
  if (!std::isfinite(value)) return L"#NUM!";
  if (value == 0) return L"0";

  // Scientific form gives the shortest round-tripping digits and the decimal exponent,
  // e.g. "-1.2345e+02"; the layout is chosen here.
  char scientific[32];
  const char* end = std::to_chars(scientific, scientific + sizeof(scientific), value,
                                  std::chars_format::scientific)
                        .ptr;
  const char* mark = std::find(static_cast<const char*>(scientific), end, 'e');
  int exponent = 0;
  const char* exponentText = mark + 1;
  if (exponentText < end && *exponentText == '+') ++exponentText;
  std::from_chars(exponentText, end, exponent);

  std::wstring text;
  char digitBuffer[32];
  std::size_t count = 0;
  for (const char* c = scientific; c < mark; ++c) {
    if (*c == '-') {
      text.push_back(L'-');
    } else if (*c != '.') {
      digitBuffer[count++] = *c;
    }
  }
  const std::string_view digits(digitBuffer, count);

  // The value is 0.<digits> times 10 to the power `point`.
  const int point = exponent + 1;
  const int digitCount = static_cast<int>(count);
  if (digitCount <= point && point <= 21) {
    AppendAscii(text, digits);
    text.append(point - digitCount, L'0');
  } else if (0 < point && point <= 21) {
    AppendAscii(text, digits.substr(0, point));
    text.push_back(L'.');
    AppendAscii(text, digits.substr(point));
  } else if (-6 < point && point <= 0) {
    text.append(L"0.");
    text.append(-point, L'0');
    AppendAscii(text, digits);
  } else {
    AppendAscii(text, digits.substr(0, 1));
    if (digitCount > 1) {
      text.push_back(L'.');
      AppendAscii(text, digits.substr(1));
    }
    text.push_back(L'e');
    text.push_back(exponent < 0 ? L'-' : L'+');
    char exponentDigits[8];
    const char* exponentEnd = std::to_chars(exponentDigits, exponentDigits + sizeof(exponentDigits),
                                            exponent < 0 ? -exponent : exponent)
                                  .ptr;
    AppendAscii(text, std::string_view(exponentDigits, exponentEnd - exponentDigits));
  }
  return text;
}

}  // namespace xls
