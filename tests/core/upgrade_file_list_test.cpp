#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/upgrade/file_list.h"
#include "tests/core/text_bytes.h"

namespace upgrade {
namespace {

using text_bytes::Bytes;
using text_bytes::CyrillicLikeCodePage;
using namespace std::string_literals;

struct ParseCase {
  const char* name;
  std::wstring text;
  FileList entries;
};

TEST(UpgradeFileListTest, SplitsEachLineAtItsFirstEquals) {
  const ParseCase cases[] = {
      {"empty text", L"", {}},
      {"one entry", L"a.dll=1", {{L"a.dll", L"1"}}},
      {"subfolder", L"sub\\x.dll=3", {{L"sub\\x.dll", L"3"}}},
      {"first equals", L"a=b=c", {{L"a", L"b=c"}}},
      {"empty value", L"a=", {{L"a", L""}}},
      {"empty name", L"=x", {{L"", L"x"}}},
      {"no equals", L"just text", {{L"", L""}}},
      {"blanks kept", L" a.dll = 1 ", {{L" a.dll ", L" 1 "}}},
      {"CR LF", L"a=1\r\nb=2", {{L"a", L"1"}, {L"b", L"2"}}},
      {"LF", L"a=1\nb=2\n", {{L"a", L"1"}, {L"b", L"2"}}},
      {"CR", L"a=1\rb=2\r", {{L"a", L"1"}, {L"b", L"2"}}},
      {"mixed ends",
       L"a=1\r\nb=2\nc=3\rd=4",
       {{L"a", L"1"}, {L"b", L"2"}, {L"c", L"3"}, {L"d", L"4"}}},
      {"last line end opens nothing", L"a=1\r\n", {{L"a", L"1"}}},
      {"empty line inside", L"a=1\r\n\r\nb=2", {{L"a", L"1"}, {L"", L""}, {L"b", L"2"}}},
      {"empty line at the end", L"a=1\r\n\r\n", {{L"a", L"1"}, {L"", L""}}},
      {"duplicates kept in order", L"a=1\nA=2", {{L"a", L"1"}, {L"A", L"2"}}},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ParseFileList(c.text), c.entries);
  }
}

struct ReadCase {
  const char* name;
  std::string bytes;
  FileList entries;
};

TEST(UpgradeFileListTest, ByteOrderMarkChoosesTheEncodingElseTheCodePage) {
  const ReadCase cases[] = {
      {"UTF-8",
       "\xEF\xBB\xBF"
       "\xC3\xA9.dll=1\r\n\xD0\x96=2",
       {{L"\u00E9.dll", L"1"}, {L"\u0416", L"2"}}},
      {"UTF-16 LE",
       "\xFF\xFE\xE9\0=\0\x31\0\n\0\x16\x04=\0\x32\0"s,
       {{L"\u00E9", L"1"}, {L"\u0416", L"2"}}},
      {"UTF-16 BE",
       "\xFE\xFF\0\xE9\0=\0\x31\0\r\x04\x16\0=\0\x32"s,
       {{L"\u00E9", L"1"}, {L"\u0416", L"2"}}},
      {"code page", "\xC6.dll=1\r\n\xE9=2", {{L"\u0416.dll", L"1"}, {L"\u00E9", L"2"}}},
      {"code page, UTF-8 mark cut short", "\xEF\xBB=1", {{L"\u00EF\u00BB", L"1"}}},
      {"mark only", "\xEF\xBB\xBF", {}},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadFileList(Bytes(c.bytes), CyrillicLikeCodePage()), c.entries);
  }
}

TEST(UpgradeFileListTest, WithoutACodePageDecoderBytesAreLatin1) {
  EXPECT_EQ(ReadFileList(Bytes("\xC6=\xE9"), strings::CodePage{}),
            (FileList{{L"\u00C6", L"\u00E9"}}));
}

TEST(UpgradeFileListTest, WrittenListReadsBackTheSame) {
  const FileList list{{L"Kestra.exe", L"1a"}, {L"", L""}, {L"Sub\\\u0416.dat", L"2b"}};
  const std::vector<std::uint8_t> bytes = WriteFileList(list);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "\xEF\xBB\xBF");
  EXPECT_EQ(ReadFileList(bytes, strings::CodePage{}), list);
}

TEST(UpgradeFileListTest, ListAfterUpgradeKeepsTheInstalledLineOfWhatWasNotDone) {
  const FileList installed{{L"kept.dll", L"1"},
                           {L"changed.dll", L"1"},
                           {L"held.dll", L"1"},
                           {L"gone.dll", L"1"},
                           {L"stuck.dll", L"1"}};
  const FileList package{{L"kept.dll", L"1"},
                         {L"changed.dll", L"2"},
                         {L"held.dll", L"2"},
                         {L"new.dll", L"2"},
                         {L"late.dll", L"2"}};
  // held.dll not replaced, late.dll (new) not copied, stuck.dll not deleted; names match
  // without regard to letter case.
  const std::vector<std::wstring> notDone{L"HELD.dll", L"late.dll", L"stuck.DLL"};
  EXPECT_EQ(ListAfterUpgrade(package, installed, notDone), (FileList{{L"kept.dll", L"1"},
                                                                     {L"changed.dll", L"2"},
                                                                     {L"held.dll", L"1"},
                                                                     {L"new.dll", L"2"},
                                                                     {L"stuck.dll", L"1"}}));
  EXPECT_EQ(ListAfterUpgrade(package, installed, {}), package);
}

}  // namespace
}  // namespace upgrade
