#include "core/text/text_escapes.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

namespace localisation {
namespace {

std::wstring Blanks(std::size_t n) {
  return std::wstring(n, L' ');
}

struct Expansion {
  std::wstring text;
  std::wstring expected;
};

TEST(ExpandEscapesTest, ReplacesCodesInTheirOrder) {
  const Expansion cases[] = {
      {L"", L""},
      {L"Plain text", L"Plain text"},
      {L"Line\\\\\\\\Break", L"Line\nBreak"},
      {L"Two\\\\Backslashes", L"Two\\\\Backslashes"},
      {L"\\\\\\\\\\\\\\\\", L"\n\n"},
      {L"\\\\\\\\\\", L"\n\\"},
      {L"%R1", L"\r"},
      {L"%R2", L"\r\r"},
      {L"%R1%R2x", L"\r\r\rx"},
      {L"%R12", L"\r2"},
      {L"%R3", L"%R3"},
      {L"%B1", Blanks(1)},
      {L"%B5", Blanks(5)},
      {L"%B9", Blanks(9)},
      {L"%B10", Blanks(9)},
      {L"%B12", Blanks(11)},
      {L"%B19", Blanks(18)},
      {L"%B20", Blanks(19)},
      {L"%B35", Blanks(34)},
      {L"%B36", Blanks(3) + L"6"},
      {L"%B100", Blanks(9) + L"0"},
      {L"%B0", L"%B0"},
      {L"%B", L"%B"},
      {L"%b5", L"%b5"},
      {L"%r1", L"%r1"},
      {L"a%B2b%B2c", L"a" + Blanks(2) + L"b" + Blanks(2) + L"c"},
      {L"Next%B3>%R1\\\\\\\\", L"Next" + Blanks(3) + L">\r\n"},
  };
  for (const Expansion& c : cases) {
    SCOPED_TRACE(testing::Message() << c.text);
    EXPECT_EQ(ExpandEscapes(c.text), c.expected);
  }
}

struct Insertion {
  std::wstring text;
  std::wstring productName;
  std::wstring expected;
};

TEST(InsertProductNameTest, ReplacesEveryPercentP) {
  const Insertion cases[] = {
      {L"Welcome to %P", L"Capture", L"Welcome to Capture"},
      {L"%P and %P", L"Capture", L"Capture and Capture"},
      {L"%Product", L"Capture", L"Captureroduct"},
      {L"%p stays", L"Capture", L"%p stays"},
      {L"Welcome to %P", L"", L"Welcome to %P"},
      {L"%P!", L"%P", L"%P!"},
      {L"%%PP", L"X", L"%XP"},
      // One pass: a "%P" formed across the seam of an insertion stays as it is.
      {L"%%P%", L"P\\", L"%P\\%"},
      {L"", L"Capture", L""},
  };
  for (const Insertion& c : cases) {
    SCOPED_TRACE(testing::Message() << c.text << " / " << c.productName);
    EXPECT_EQ(InsertProductName(c.text, c.productName), c.expected);
  }
}

TEST(NumberToTextTest, GivesPlainDecimalDigits) {
  const std::pair<long long, std::wstring> cases[] = {
      {0, L"0"},
      {7, L"7"},
      {101, L"101"},
      {-1, L"-1"},
      {-302, L"-302"},
      {INT_MAX, L"2147483647"},
      {INT_MIN, L"-2147483648"},
  };
  for (const auto& [number, expected] : cases) {
    EXPECT_EQ(NumberToText(number), expected);
  }
}

}  // namespace
}  // namespace localisation
