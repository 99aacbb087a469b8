#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/strings/text_encoding.h"
#include "core/strings/utf_string_conversions.h"
#include "tests/core/text_bytes.h"

namespace strings {
namespace {

using text_bytes::Bytes;
using namespace std::string_literals;

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::u16string text;
  TextEncoding encoding;
};

TEST(DecodeTextTest, ChoosesTheEncodingByTheByteOrderMark) {
  const DecodeCase cases[] = {
      {"UTF-16 LE",
       "\xFF\xFE"
       "A\0\xE9\0-N"s,
       u"A\u00E9\u4E2D", TextEncoding::kUtf16Le},
      {"UTF-16 BE", "\xFE\xFF\0A\0\xE9N-"s, u"A\u00E9\u4E2D", TextEncoding::kUtf16Be},
      {"UTF-8",
       "\xEF\xBB\xBF"
       "A\xC3\xA9\xE4\xB8\xAD",
       u"A\u00E9\u4E2D", TextEncoding::kUtf8},
      {"no mark", "A\xC3\xA9", u"A\u00C3\u00A9", TextEncoding::kCodePage},
      {"UTF-8 mark cut short", "\xEF\xBB", u"\u00EF\u00BB", TextEncoding::kCodePage},
      {"empty", "", u"", TextEncoding::kCodePage},
      {"UTF-16 LE mark only", "\xFF\xFE", u"", TextEncoding::kUtf16Le},
      {"UTF-16 BE mark only", "\xFE\xFF", u"", TextEncoding::kUtf16Be},
      {"UTF-8 mark only", "\xEF\xBB\xBF", u"", TextEncoding::kUtf8},
      {"odd UTF-16 length",
       "\xFF\xFE"
       "A\0B"s,
       u"A", TextEncoding::kUtf16Le},
      {"surrogate pair", "\xFF\xFE\x3D\xD8\x00\xDE"s, u"\xD83D\xDE00", TextEncoding::kUtf16Le},
      {"lone surrogate",
       "\xFF\xFE\x00\xD8"
       "A\0"s,
       u"\xD800"
       "A",
       TextEncoding::kUtf16Le},
      {"invalid UTF-8",
       "\xEF\xBB\xBF"
       "a\xFF",
       u"a\uFFFD", TextEncoding::kUtf8},
      {"NUL in UTF-16", "\xFF\xFE\0\0x\0"s, std::u16string(u"\0x", 2), TextEncoding::kUtf16Le},
  };
  for (const DecodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const DecodedText decoded = DecodeText(Bytes(c.bytes), Latin1CodePage());
    EXPECT_EQ(WideToUtf16(decoded.text), c.text);
    EXPECT_EQ(decoded.encoding, c.encoding);
  }
}

TEST(DecodeTextTest, HandsTextWithoutMarkToTheCodePage) {
  std::string seen;
  const CodePage codePage{[&seen](std::string_view bytes) {
                            seen = bytes;
                            return std::wstring(L"decoded");
                          },
                          nullptr};
  const DecodedText decoded = DecodeText(Bytes("[Setup]\x80"), codePage);
  EXPECT_EQ(seen, "[Setup]\x80");
  EXPECT_EQ(decoded.text, L"decoded");
}

TEST(DecodeTextTest, FallsBackToLatin1WithoutADecoder) {
  EXPECT_EQ(DecodeText(Bytes("\xC4"), CodePage{}).text, L"\u00C4");
}

struct EncodeCase {
  const char* name;
  std::wstring text;
  TextEncoding encoding;
  std::string bytes;
};

TEST(EncodeTextTest, WritesTheByteOrderMarkAndTheText) {
  const EncodeCase cases[] = {
      {"UTF-16 LE", L"A\u00E9\u4E2D", TextEncoding::kUtf16Le,
       "\xFF\xFE"
       "A\0\xE9\0-N"s},
      {"UTF-16 BE", L"A\u00E9\u4E2D", TextEncoding::kUtf16Be, "\xFE\xFF\0A\0\xE9N-"s},
      {"UTF-16 LE pair", L"\U0001F600", TextEncoding::kUtf16Le, "\xFF\xFE\x3D\xD8\x00\xDE"s},
      {"UTF-16 BE pair", L"\U0001F600", TextEncoding::kUtf16Be, "\xFE\xFF\xD8\x3D\xDE\x00"s},
      {"UTF-8", L"A\u00E9", TextEncoding::kUtf8,
       "\xEF\xBB\xBF"
       "A\xC3\xA9"},
      {"code page", L"A\u00E9\u4E2D", TextEncoding::kCodePage, "A\xE9?"},
      {"empty UTF-16", L"", TextEncoding::kUtf16Le, "\xFF\xFE"},
      {"empty code page", L"", TextEncoding::kCodePage, ""},
  };
  for (const EncodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EncodeText(c.text, c.encoding, Latin1CodePage()), Bytes(c.bytes));
  }
}

TEST(EncodeTextTest, HandsTextToTheCodePageEncoder) {
  std::wstring seen;
  const CodePage codePage{nullptr, [&seen](std::wstring_view text) {
                            seen = text;
                            return std::string("encoded");
                          }};
  EXPECT_EQ(EncodeText(L"[Setup]", TextEncoding::kCodePage, codePage), Bytes("encoded"));
  EXPECT_EQ(seen, L"[Setup]");
  EXPECT_EQ(EncodeText(L"\u00C4", TextEncoding::kCodePage, CodePage{}), Bytes("\xC4"));
}

TEST(EncodeTextTest, GivesBackTheBytesOfUtf16TextWithLoneSurrogates) {
  const std::string files[] = {
      "\xFF\xFE\x00\xD8"
      "A\0"s,
      "\xFF\xFE\x00\xDC\x00\xD8"s,
      "\xFE\xFF\xD8\x3D\xD8\x3D\xDE\x00"s,
  };
  for (const std::string& file : files) {
    SCOPED_TRACE(testing::PrintToString(file));
    const DecodedText decoded = DecodeText(Bytes(file), Latin1CodePage());
    EXPECT_EQ(EncodeText(decoded.text, decoded.encoding, Latin1CodePage()), Bytes(file));
  }
}

}  // namespace
}  // namespace strings
