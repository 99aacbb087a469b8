#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/upgrade/compared_result.h"
#include "core/upgrade/file_list.h"
#include "core/upgrade/list_comparison.h"
#include "tests/core/text_bytes.h"

namespace upgrade {
namespace {

using text_bytes::Bytes;
using text_bytes::CyrillicLikeCodePage;
using namespace std::string_literals;
using Lines = std::vector<std::wstring>;
using Instructions = std::vector<Instruction>;

Instruction Copy(std::wstring name) {
  return {InstructionKind::kCopy, std::move(name)};
}

Instruction Delete(std::wstring name) {
  return {InstructionKind::kDelete, std::move(name)};
}

TEST(UpgradeComparedResultTest, InstructionLinesStartWithTheirKeyword) {
  EXPECT_EQ(InstructionLine(InstructionKind::kCopy, L"sub\\a.dll"), L"copy=sub\\a.dll");
  EXPECT_EQ(InstructionLine(InstructionKind::kDelete, L"a=b"), L"delete=a=b");
  EXPECT_EQ(InstructionLine(InstructionKind::kCopy, L""), L"copy=");
}

struct WriteCase {
  const char* name;
  Lines lines;
  strings::CodePage codePage;
  std::string bytes;
};

TEST(UpgradeComparedResultTest, WritesEveryLineWithCrLfInTheCodePage) {
  const WriteCase cases[] = {
      {"no lines", Lines{}, CyrillicLikeCodePage(), ""},
      {"copies then deletions", Lines{L"copy=b.dll", L"delete=c.dll"}, CyrillicLikeCodePage(),
       "copy=b.dll\r\ndelete=c.dll\r\n"},
      {"through the code page", Lines{L"copy=\u0416.dll"}, CyrillicLikeCodePage(),
       "copy=\xC6.dll\r\n"},
      {"Latin-1 without an encoder", Lines{L"copy=\u00E9\u4E2D"}, strings::CodePage{},
       "copy=\xE9?\r\n"},
      {"an empty line too", Lines{L""}, CyrillicLikeCodePage(), "\r\n"},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(WriteComparedResult(c.lines, c.codePage), Bytes(c.bytes));
  }
}

struct ParseCase {
  const char* name;
  std::wstring text;
  Instructions instructions;
};

TEST(UpgradeComparedResultTest, ReadsCopyAndDeleteLinesAndIgnoresTheRest) {
  const ParseCase cases[] = {
      {"copy", L"copy=a.dll", Instructions{Copy(L"a.dll")}},
      {"delete", L"delete=a.dll", Instructions{Delete(L"a.dll")}},
      {"in order", L"copy=a\r\ndelete=b\r\ncopy=c\r\n",
       Instructions{Copy(L"a"), Delete(L"b"), Copy(L"c")}},
      {"LF and CR", L"copy=a\ndelete=b\rcopy=c",
       Instructions{Copy(L"a"), Delete(L"b"), Copy(L"c")}},
      {"first equals", L"copy==a=b", Instructions{Copy(L"=a=b")}},
      {"empty name", L"delete=", Instructions{Delete(L"")}},
      {"name kept as written", L"copy= ..\\x ", Instructions{Copy(L" ..\\x ")}},
      {"keyword with case", L"Copy=a\r\nDELETE=b", Instructions{}},
      {"keyword with blanks", L" copy=a\r\ndelete =b", Instructions{}},
      {"other keyword", L"move=a\r\n=a", Instructions{}},
      {"no equals", L"copy\r\ndelete", Instructions{}},
      {"empty lines", L"\r\n\r\ncopy=a\r\n\r\n", Instructions{Copy(L"a")}},
      {"empty text", L"", Instructions{}},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ParseComparedResult(c.text), c.instructions);
  }
}

TEST(UpgradeComparedResultTest, ReadsTheCodePageUnlessAByteOrderMarkSaysOtherwise) {
  EXPECT_EQ(ReadComparedResult(Bytes("copy=\xC6\r\n"), CyrillicLikeCodePage()),
            Instructions{Copy(L"\u0416")});
  EXPECT_EQ(ReadComparedResult(Bytes("\xEF\xBB\xBF"
                                     "delete=\xD0\x96\r\n"),
                               CyrillicLikeCodePage()),
            Instructions{Delete(L"\u0416")});
  EXPECT_EQ(ReadComparedResult(Bytes("\xFF\xFE"
                                     "c\0o\0p\0y\0=\0\x16\x04"s),
                               CyrillicLikeCodePage()),
            Instructions{Copy(L"\u0416")});
}

TEST(UpgradeComparedResultTest, TheWorkedExampleSurvivesTheFile) {
  const FileList newList = ParseFileList(L"a.dll=1\r\nb.dll=2\r\nApplication_FileList.txt=9");
  const FileList oldList = ParseFileList(L"A.DLL=1\r\nc.dll=5");
  const std::vector<std::uint8_t> file =
      WriteComparedResult(CompareFileLists(newList, oldList), CyrillicLikeCodePage());
  EXPECT_EQ(file, Bytes("copy=b.dll\r\ndelete=c.dll\r\n"));
  EXPECT_EQ(ReadComparedResult(file, CyrillicLikeCodePage()),
            (Instructions{Copy(L"b.dll"), Delete(L"c.dll")}));
}

TEST(UpgradeComparedResultTest, FileNamesHaveTheirOwnConstants) {
  EXPECT_EQ(kComparedResultName, L"ComparedResult.txt");
  EXPECT_EQ(kFileListName, L"Application_FileList.txt");
}

}  // namespace
}  // namespace upgrade
