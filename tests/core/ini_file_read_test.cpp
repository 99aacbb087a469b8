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

IniFile Parse(std::string_view text) {
  return IniFile::FromBytes(Bytes(text));
}

constexpr std::string_view kSetupIni =
    "%BEFORE=outside\r\n"
    "; settings of the package\r\n"
    "[Setup]\r\n"
    "%PROGRAM_FILES=PanCapture\r\n"
    "  %Publisher = OEM \r\n"
    "%EMPTY=\r\n"
    "%EQUALS=a=b\r\n"
    "%PROGRAM_FILES=second\r\n"
    "%program_files=third\r\n"
    "garbage line\r\n"
    "; %COMMENTED=1\r\n"
    "\r\n"
    "[Other]\r\n"
    "%ONLY_OTHER=x\r\n"
    "[setup]\r\n"
    "%LATE=late\r\n";

struct ReadCase {
  const wchar_t* section;
  const wchar_t* key;
  const wchar_t* expected;
};

TEST(IniFileReadTest, FindsValuesByTheReadingRules) {
  const IniFile file = Parse(kSetupIni);
  const ReadCase cases[] = {
      {L"Setup", L"%PROGRAM_FILES", L"PanCapture"},  // the first of duplicate keys
      {L"SETUP", L"%program_files", L"PanCapture"},  // names ignore letter case
      {L"Setup", L"%PUBLISHER", L"OEM"},             // blanks around name and value dropped
      {L"Setup", L"%EMPTY", L""},                    // present but empty: not the default
      {L"Setup", L"%EQUALS", L"a=b"},                // the value starts after the first "="
      {L"Setup", L"%MISSING", L"default"},
      {L"Setup", L"%ONLY_OTHER", L"default"},  // a key of another section
      {L"Other", L"%ONLY_OTHER", L"x"},
      {L"Other", L"%PROGRAM_FILES", L"default"},
      {L"Missing", L"%PROGRAM_FILES", L"default"},
      {L"Setup", L"%LATE", L"default"},    // a repeated section is not read
      {L"Setup", L"%BEFORE", L"default"},  // entries before any section
      {L"", L"%BEFORE", L"default"},
      {L"Setup", L"garbage line", L"default"},
      {L"Setup", L"%COMMENTED", L"default"},
      {L"Setup", L"; %COMMENTED", L"default"},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "[" << c.section << "] " << c.key);
    EXPECT_EQ(file.ReadString(c.section, c.key, L"default"), c.expected);
  }
}

TEST(IniFileReadTest, AcceptsEveryKindOfLineEnd) {
  const std::string_view files[] = {
      "[Setup]\r\n%A=1\r\n[Other]\r\n%B=2\r\n",
      "[Setup]\n%A=1\n[Other]\n%B=2\n",
      "[Setup]\r%A=1\r[Other]\r%B=2\r",
      "[Setup]\r\n%A=1\n[Other]\r%B=2",
      "\r\n\n\r[Setup]\n\n%A=1\r\r\n[Other]\n\r%B=2\n\n",
  };
  for (std::string_view text : files) {
    SCOPED_TRACE(testing::PrintToString(std::string(text)));
    const IniFile file = Parse(text);
    EXPECT_EQ(file.ReadString(L"Setup", L"%A", L""), L"1");
    EXPECT_EQ(file.ReadString(L"Other", L"%B", L""), L"2");
    EXPECT_EQ(file.ReadString(L"Setup", L"%B", L"none"), L"none");
  }
}

TEST(IniFileReadTest, ReadsTheLastLineWithoutLineEnd) {
  EXPECT_EQ(Parse("[Setup]\r\n%A=1").ReadString(L"Setup", L"%A", L""), L"1");
  EXPECT_EQ(Parse("[Setup]\r\n%A=").ReadString(L"Setup", L"%A", L"none"), L"");
}

TEST(IniFileReadTest, KeepsNulCharactersInsideValues) {
  const IniFile file = Parse("[S]\nk=a\0b\n\0\0\nk2=c\0"s);
  EXPECT_EQ(file.ReadString(L"S", L"k", L""), std::wstring(L"a\0b", 3));
  EXPECT_EQ(file.ReadString(L"S", L"k2", L""), std::wstring(L"c\0", 2));
}

TEST(IniFileReadTest, ReadsAroundAMegabyteLine) {
  const std::string longText(1 << 20, 'x');
  const IniFile file = Parse("[S]\r\n" + longText + "\r\nlong=" + longText + "\r\nk=v\r\n");
  EXPECT_EQ(file.ReadString(L"S", L"k", L""), L"v");
  EXPECT_EQ(file.ReadString(L"S", L"long", L"").size(), longText.size());
}

TEST(IniFileReadTest, AnEmptyFileHoldsNothing) {
  const std::string_view files[] = {"", "\xFF\xFE", "\xFE\xFF", "\xEF\xBB\xBF", "\r\n\r\n"};
  for (std::string_view text : files) {
    SCOPED_TRACE(testing::PrintToString(std::string(text)));
    const IniFile file = Parse(text);
    EXPECT_TRUE(file.SectionNames().empty());
    EXPECT_EQ(file.ReadString(L"Setup", L"%A", L"none"), L"none");
  }
}

TEST(IniFileReadTest, ReadsUtf16WithLoneSurrogatesAndOddLength) {
  // [S] k=<lone D800>x, then one stray byte.
  const IniFile file = Parse("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\x00\xD8x\0\x41"s);
  EXPECT_EQ(strings::WideToUtf16(file.ReadString(L"S", L"k", L"")), u"\xD800x");
}

TEST(IniFileReadTest, ListsSectionNamesOnceInFileOrder) {
  const IniFile file = Parse("k=v\n[B]\n[a]\nx=1\n[A]\n[c]\n;[d]\n[b]\n");
  EXPECT_EQ(file.SectionNames(), (std::vector<std::wstring>{L"B", L"a", L"c"}));
}

TEST(IniFileReadTest, ListsKeyNamesOfTheFirstSectionOfThatName) {
  const IniFile file = Parse("[S]\nk1=1\nK1=2\n;c=3\nother\nk2=\n[T]\nk3=3\n[s]\nk4=4\n");
  EXPECT_EQ(file.KeyNames(L"s"), (std::vector<std::wstring>{L"k1", L"k2"}));
  EXPECT_EQ(file.KeyNames(L"T"), (std::vector<std::wstring>{L"k3"}));
  EXPECT_TRUE(file.KeyNames(L"missing").empty());
}

}  // namespace
}  // namespace ini
