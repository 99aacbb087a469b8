#include <gtest/gtest.h>

#include <string>

#include "core/strings/utf_string_conversions.h"

namespace strings {
namespace {

struct Utf8Case {
  std::string utf8;
  std::u16string utf16;
};

TEST(Utf8ToWideTest, DecodesWellFormedText) {
  const Utf8Case cases[] = {
      {"", u""},
      {"Setup.ini", u"Setup.ini"},
      {"\xC3\xA9", u"\u00E9"},
      {"\xE4\xB8\xAD\xE6\x96\x87", u"\u4E2D\u6587"},
      {"\xEF\xBF\xBD", u"\uFFFD"},
      {"\xF0\x9F\x98\x80", u"\xD83D\xDE00"},
      {"\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"},
      {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
  };
  for (const Utf8Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "bytes " << testing::PrintToString(c.utf8));
    EXPECT_EQ(WideToUtf16(Utf8ToWide(c.utf8)), c.utf16);
  }
}

TEST(Utf8ToWideTest, ReplacesEachMaximalIllFormedPartWithOneReplacementCharacter) {
  const Utf8Case cases[] = {
      {"\x80", u"\uFFFD"},  // stray continuation byte
      {"a\xBF"
       "b",
       u"a\uFFFDb"},
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong, C0 never starts a sequence
      {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},            // overlong three-byte form
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
      {"\xF5\xFF", u"\uFFFD\uFFFD"},
      {"\xE4\xB8", u"\uFFFD"},  // cut off at the end
      {"\xE4\xB8"
       "A",
       u"\uFFFDA"},  // cut off before the next character
      {"\xF0\x9F\x98", u"\uFFFD"},
      {"\xC3\xC3\xA9", u"\uFFFD\u00E9"},
  };
  for (const Utf8Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "bytes " << testing::PrintToString(c.utf8));
    EXPECT_EQ(WideToUtf16(Utf8ToWide(c.utf8)), c.utf16);
  }
}

TEST(WideToUtf8Test, EncodesEveryPlane) {
  EXPECT_EQ(WideToUtf8(L""), "");
  EXPECT_EQ(WideToUtf8(L"Setup"), "Setup");
  EXPECT_EQ(WideToUtf8(L"\u00E9\u4E2D"), "\xC3\xA9\xE4\xB8\xAD");
  EXPECT_EQ(WideToUtf8(L"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(WideToUtf8(std::wstring(L"a\0b", 3)), std::string("a\0b", 3));
}

TEST(WideToUtf8Test, ReplacesLoneSurrogates) {
  EXPECT_EQ(WideToUtf8(Utf16ToWide(u"\xD800")), "\xEF\xBF\xBD");
  EXPECT_EQ(WideToUtf8(Utf16ToWide(u"\xDC00"
                                   "a")),
            "\xEF\xBF\xBD"
            "a");
  EXPECT_EQ(WideToUtf8(Utf16ToWide(u"\xDE00\xD83D")), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(WideToUtf8Test, ReplacesValuesBeyondUnicodeWhereWideCharactersHoldThem) {
  if constexpr (sizeof(wchar_t) == 2) {
    GTEST_SKIP() << "a UTF-16 wchar_t cannot hold such a value";
  } else {
    const std::wstring beyond(1, static_cast<wchar_t>(0x110000));
    EXPECT_EQ(WideToUtf8(beyond), "\xEF\xBF\xBD");
    EXPECT_EQ(WideToUtf16(beyond), u"\uFFFD");
  }
}

TEST(Utf16ConversionTest, PairsSurrogatesIntoCharacters) {
  EXPECT_EQ(Utf16ToWide(u"\xD83D\xDE00"), L"\U0001F600");
  EXPECT_EQ(Utf16ToWide(u"a\xDBFF\xDFFF"), L"a\U0010FFFF");
  EXPECT_EQ(WideToUtf16(L"\U0001F600!"), u"\xD83D\xDE00!");
}

TEST(Utf16ConversionTest, KeepsLoneSurrogatesBothWays) {
  const std::u16string texts[] = {
      u"\xD800", u"\xDFFF", u"\xDC00\xD800", u"a\xD83D", u"\xD83D\xD83D\xDE00", u"x\xDE00y",
  };
  for (const std::u16string& text : texts) {
    SCOPED_TRACE(testing::Message() << "units " << testing::PrintToString(text));
    EXPECT_EQ(WideToUtf16(Utf16ToWide(text)), text);
  }
}

}  // namespace
}  // namespace strings
