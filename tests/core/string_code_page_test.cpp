#include <gtest/gtest.h>

#include <string>

#include "core/strings/code_page.h"

namespace strings {
namespace {

TEST(Latin1CodePageTest, ByteNIsCharacterN) {
  EXPECT_EQ(DecodeLatin1("Setup"), L"Setup");
  EXPECT_EQ(DecodeLatin1(std::string("\xE9\x80\0\xFF", 4)),
            std::wstring(L"\u00E9\u0080\0\u00FF", 4));
}

TEST(Latin1CodePageTest, EveryByteSurvivesDecodingAndEncoding) {
  std::string allBytes;
  for (int b = 0; b < 256; ++b) allBytes.push_back(static_cast<char>(b));
  EXPECT_EQ(EncodeLatin1(DecodeLatin1(allBytes)), allBytes);
}

TEST(Latin1CodePageTest, WritesAQuestionMarkForEachCharacterItLacks) {
  EXPECT_EQ(EncodeLatin1(L"\u00E9\u0100\u4E2D"), "\xE9??");
  EXPECT_EQ(EncodeLatin1(L"\U0001F600x"), "?x");
}

TEST(Latin1CodePageTest, IsTheDefaultPairOfConversions) {
  const CodePage codePage = Latin1CodePage();
  ASSERT_TRUE(codePage.decode);
  ASSERT_TRUE(codePage.encode);
  EXPECT_EQ(codePage.decode("\xC4"), L"\u00C4");
  EXPECT_EQ(codePage.encode(L"\u00C4\u4E2D"), "\xC4?");
}

}  // namespace
}  // namespace strings
