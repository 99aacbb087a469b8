#include <gtest/gtest.h>

#include "core/language/text_direction.h"

namespace {

struct DirectionCase {
  const wchar_t* text;
  bool rightToLeft;
};

class TextDirection : public testing::TestWithParam<DirectionCase> {};

TEST_P(TextDirection, FollowsTheFirstLetterWithADirection) {
  EXPECT_EQ(localisation::ReadsRightToLeft(GetParam().text), GetParam().rightToLeft);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextDirection,
    testing::Values(DirectionCase{L"Kestra Capture Licence Agreement", false},
                    DirectionCase{L"1. \u00A9 2026 Kestra", false},
                    DirectionCase{L"\u0627\u062A\u0641\u0627\u0642\u064A\u0629 Kestra", true},
                    DirectionCase{L"  1. (\u0645\u0648\u0627\u0641\u0642\u0629)", true},
                    DirectionCase{L"\u05D4\u05E1\u05DB\u05DD", true},
                    DirectionCase{L"\u00C9tat \u0627\u062A\u0641\u0627\u0642\u064A\u0629", false},
                    DirectionCase{L"\u4F7F\u7528\u8A31\u8AFE", false},
                    DirectionCase{L"12345 ... \u00D7", false}, DirectionCase{L"", false}));

}  // namespace
