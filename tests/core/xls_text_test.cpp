#include <gtest/gtest.h>

#include <string>

#include "core/xls/letter_case.h"
#include "core/xls/wide_text.h"

namespace {

TEST(XlsWideTextTest, KeepsTheBasicPlaneAsItIs) {
  EXPECT_EQ(xls::WideFromUtf16(u"Setup \u5B89\u88C5 \u0E15"), L"Setup \u5B89\u88C5 \u0E15");
  EXPECT_EQ(xls::WideFromUtf16(u""), L"");
}

TEST(XlsWideTextTest, SurrogatePairsGiveTheCharacterOfThisPlatform) {
  const std::wstring text = xls::WideFromUtf16(u"a\U0001F600b\U0002000B");
  // L"\U0001F600" is one 32-bit unit on Linux and a surrogate pair on Windows.
  EXPECT_EQ(text, L"a\U0001F600b\U0002000B");
  EXPECT_EQ(text.size(), sizeof(wchar_t) == 4 ? 4u : 6u);
}

TEST(XlsWideTextTest, KeepsLoneSurrogates) {
  const std::wstring text = xls::WideFromUtf16(u"\xD83Dx\xDE00\xD83D");
  ASSERT_EQ(text.size(), 4u);
  EXPECT_EQ(text[0], static_cast<wchar_t>(0xD83D));
  EXPECT_EQ(text[1], L'x');
  EXPECT_EQ(text[2], static_cast<wchar_t>(0xDE00));
  EXPECT_EQ(text[3], static_cast<wchar_t>(0xD83D));
}

TEST(XlsWideTextTest, BuilderJoinsAPairAppendedInTwoSteps) {
  xls::WideTextBuilder builder;
  builder.Append(u'\xD83D');
  builder.Append(u'\xDE00');
  EXPECT_EQ(builder.Finish(), L"\U0001F600");
  builder.Append(u'z');
  EXPECT_EQ(builder.Finish(), L"z");
}

struct CaseCase {
  const wchar_t* a;
  const wchar_t* b;
  bool equal;
};

class XlsEqualIgnoringCaseTest : public testing::TestWithParam<CaseCase> {};

TEST_P(XlsEqualIgnoringCaseTest, Compares) {
  EXPECT_EQ(xls::EqualIgnoringCase(std::wstring_view(GetParam().a), GetParam().b),
            GetParam().equal);
}

INSTANTIATE_TEST_SUITE_P(
    Names, XlsEqualIgnoringCaseTest,
    testing::Values(CaseCase{L"Install", L"iNSTALL", true}, CaseCase{L"Install", L"Instal", false},
                    CaseCase{L"Install", L"Instali", false}, CaseCase{L"", L"", true},
                    CaseCase{L"\u00C9t\u00C9", L"\u00E9t\u00E9", true},            // Été
                    CaseCase{L"\u00D7", L"\u00F7", false},                         // × ÷
                    CaseCase{L"\u0139\u017D", L"\u013A\u017E", true},              // Ĺ Ž
                    CaseCase{L"\u0100\u0178", L"\u0101\u00FF", true},              // Ā Ÿ
                    CaseCase{L"\u0394\u0386\u038F", L"\u03B4\u03AC\u03CE", true},  // Greek
                    CaseCase{L"\u03A3\u03C2", L"\u03C3\u03C3", true},              // sigmas
                    CaseCase{L"\u0423\u0401\u0462", L"\u0443\u0451\u0463", true},  // Cyrillic
                    CaseCase{L"\u0531", L"\u0561", true},                          // Armenian
                    CaseCase{L"\uFF21", L"\uFF41", true},                          // full width
                    CaseCase{L"\u5B89", L"\u5B8A", false}));

TEST(XlsEqualIgnoringCaseTest, ComparesUtf16Names) {
  EXPECT_TRUE(xls::EqualIgnoringCase(std::u16string_view(u"WORKBOOK"), u"Workbook"));
  EXPECT_FALSE(xls::EqualIgnoringCase(std::u16string_view(u"Book"), u"Workbook"));
}

}  // namespace
