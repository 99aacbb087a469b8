#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini/ini_file.h"
#include "core/strings/utf_string_conversions.h"
#include "tests/core/text_bytes.h"

namespace ini {
namespace {

using text_bytes::Bytes;
using namespace std::string_literals;
using strings::TextEncoding;

struct EncodingCase {
  const char* name;
  std::string file;  // "[S]", "k=é" with CR LF line ends
  TextEncoding encoding;
  std::string written;  // the same after writing "n=中"
};

TEST(IniFileEncodingTest, WritesBackInTheEncodingItWasReadIn) {
  const EncodingCase cases[] = {
      {"UTF-16 LE", "\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE9\0\r\0\n\0"s, TextEncoding::kUtf16Le,
       "\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE9\0\r\0\n\0n\0=\0-N\r\0\n\0"s},
      {"UTF-16 BE", "\xFE\xFF\0[\0S\0]\0\r\0\n\0k\0=\0\xE9\0\r\0\n"s, TextEncoding::kUtf16Be,
       "\xFE\xFF\0[\0S\0]\0\r\0\n\0k\0=\0\xE9\0\r\0\n\0n\0=N-\0\r\0\n"s},
      {"UTF-8", "\xEF\xBB\xBF[S]\r\nk=\xC3\xA9\r\n", TextEncoding::kUtf8,
       "\xEF\xBB\xBF[S]\r\nk=\xC3\xA9\r\nn=\xE4\xB8\xAD\r\n"},
      {"code page", "[S]\r\nk=\xE9\r\n", TextEncoding::kCodePage, "[S]\r\nk=\xE9\r\nn=?\r\n"},
  };
  for (const EncodingCase& c : cases) {
    SCOPED_TRACE(c.name);
    IniFile file = IniFile::FromBytes(Bytes(c.file));
    EXPECT_EQ(file.encoding(), c.encoding);
    EXPECT_EQ(file.ReadString(L"S", L"k", L""), L"\u00E9");
    EXPECT_EQ(file.Serialize(), Bytes(c.file));
    file.WriteString(L"S", L"n", L"\u4E2D");
    EXPECT_EQ(file.Serialize(), Bytes(c.written));
  }
}

TEST(IniFileEncodingTest, ReadsAndWritesWithoutMarkThroughTheCodePage) {
  // A stand-in for Windows-1252, where byte 80 is the euro sign.
  const strings::CodePage euro{[](std::string_view bytes) {
                                 std::wstring text;
                                 for (char b : bytes) text.push_back(b == '\x80' ? L'\u20AC' : b);
                                 return text;
                               },
                               [](std::wstring_view text) {
                                 std::string bytes;
                                 for (wchar_t c : text) {
                                   bytes.push_back(c == L'\u20AC' ? '\x80' : static_cast<char>(c));
                                 }
                                 return bytes;
                               }};
  IniFile file = IniFile::FromBytes(Bytes("[S]\nprice=5\x80\n"), euro);
  EXPECT_EQ(file.ReadString(L"S", L"price", L""), L"5\u20AC");
  file.WriteString(L"S", L"total", L"9\u20AC");
  EXPECT_EQ(file.Serialize(), Bytes("[S]\r\nprice=5\x80\r\ntotal=9\x80\r\n"));
}

TEST(IniFileEncodingTest, WritesANewFileThroughTheCodePage) {
  std::wstring seen;
  IniFile file(strings::CodePage{nullptr, [&seen](std::wstring_view text) {
                                   seen = text;
                                   return std::string("encoded");
                                 }});
  file.WriteString(L"S", L"k", L"v");
  EXPECT_EQ(file.encoding(), TextEncoding::kCodePage);
  EXPECT_EQ(file.Serialize(), Bytes("encoded"));
  EXPECT_EQ(seen, L"[S]\r\nk=v\r\n\r\n");
}

TEST(IniFileEncodingTest, KeepsTheEncodingWhenTheContentIsReplaced) {
  IniFile file = IniFile::FromBytes(Bytes("\xFF\xFE[\0O\0]\0"s));
  const IniSection sections[] = {{L"N", {{L"k", L"v"}}}};
  file.ReplaceContent(sections);
  EXPECT_EQ(file.Serialize(), Bytes("\xFF\xFE[\0N\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0\r\0\n\0"s));
}

TEST(IniFileEncodingTest, KeepsLoneSurrogatesOfUtf16Files) {
  const std::string bytes = "\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\x00\xDC\r\0\n\0"s;
  IniFile file = IniFile::FromBytes(Bytes(bytes));
  EXPECT_EQ(strings::WideToUtf16(file.ReadString(L"S", L"k", L"")), u"\xDC00");
  EXPECT_EQ(file.Serialize(), Bytes(bytes));
}

TEST(IniFileEncodingTest, ReadsInvalidUtf8AsReplacementCharacters) {
  const IniFile file = IniFile::FromBytes(Bytes("\xEF\xBB\xBF[S]\nk=a\xFF\xC3\n"));
  EXPECT_EQ(file.ReadString(L"S", L"k", L""), L"a\uFFFD\uFFFD");
}

}  // namespace
}  // namespace ini
