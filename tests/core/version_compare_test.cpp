#include "core/version/version_compare.h"

#include <gtest/gtest.h>

#include <string>

namespace version {
namespace {

int Sign(int value) {
  return (value > 0) - (value < 0);
}

struct CompareCase {
  const wchar_t* a;
  const wchar_t* b;
  int expected;  // sign of CompareVersionText(a, b)
};

TEST(CompareVersionTextTest, ComparesAsPlainText) {
  const CompareCase cases[] = {
      {L"1.0.5", L"1.0.5", 0}, {L"1.0.4", L"1.0.5", -1},
      {L"1.0.6", L"1.0.5", 1}, {L"1.9", L"1.10", 1},  // no numeric reading of the parts
      {L"2.0", L"2.0.1", -1},                         // a prefix is the smaller text
      {L"10.0", L"9.0", -1},   {L"", L"", 0},
      {L"", L"1.0", -1},       {L"V1.0", L"v1.0", -1},  // letter case counts
      {L"1.0 ", L"1.0", 1},    {L"1.0.0", L"1.0", 1},
  };
  for (const CompareCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.a << " against " << c.b);
    EXPECT_EQ(Sign(CompareVersionText(c.a, c.b)), c.expected);
    EXPECT_EQ(Sign(CompareVersionText(c.b, c.a)), -c.expected);
  }
}

TEST(CompareVersionTextTest, OrdersCharactersAboveTheBasicPlaneByTheirSurrogates) {
  // As UTF-16 code units U+10000 is D800 DC00: above U+D7FF, below U+E000 and U+FF5E, although
  // its code point is greater than all three.
  const CompareCase cases[] = {
      {L"1.\uFF5E", L"1.\U00010000", 1},  {L"1.\uE000", L"1.\U00010000", 1},
      {L"1.\uD7FF", L"1.\U00010000", -1}, {L"\U00010000", L"\U0010FFFF", -1},
      {L"\U00010000", L"\U00010000", 0},
  };
  for (const CompareCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
    EXPECT_EQ(Sign(CompareVersionText(c.a, c.b)), c.expected);
    EXPECT_EQ(Sign(CompareVersionText(c.b, c.a)), -c.expected);
  }
}

TEST(CompareVersionTextTest, TreatsNulAsAnOrdinaryCharacter) {
  const std::wstring withNul(
      L"1.0\0"
      L"1",
      5);
  EXPECT_GT(CompareVersionText(withNul, L"1.0"), 0);
  EXPECT_LT(CompareVersionText(withNul, L"1.01"), 0);
}

}  // namespace
}  // namespace version
