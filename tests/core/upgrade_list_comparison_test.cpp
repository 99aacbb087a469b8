#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/upgrade/file_list.h"
#include "core/upgrade/list_comparison.h"

namespace upgrade {
namespace {

using Lines = std::vector<std::wstring>;

struct CompareCase {
  const char* name;
  std::wstring newList;
  std::wstring oldList;
  Lines lines;
};

TEST(UpgradeListComparisonTest, CopiesChangedAndNewFilesThenDeletesRemovedOnes) {
  const CompareCase cases[] = {
      {"the worked example", L"a.dll=1\r\nb.dll=2\r\nApplication_FileList.txt=9",
       L"A.DLL=1\r\nc.dll=5", Lines{L"copy=b.dll", L"delete=c.dll"}},
      {"identical lists", L"a.dll=1\r\nb.dll=2", L"a.dll=1\r\nb.dll=2", Lines{}},
      {"both empty", L"", L"", Lines{}},
      {"values differ as text", L"x.dll=1.00", L"x.dll=1.0", Lines{L"copy=x.dll"}},
      {"values compare with case", L"x.dll=ABC", L"x.dll=abc", Lines{L"copy=x.dll"}},
      {"names match without case", L"Sub\\X.DLL=1", L"sub\\x.dll=1", Lines{}},
      {"names match without case beyond ASCII", L"\u00C4\u0416.dll=1", L"\u00E4\u0436.dll=1",
       Lines{}},
      {"new file in a subfolder", L"sub\\x.dll=1", L"", Lines{L"copy=sub\\x.dll"}},
      {"copies keep the new list's order", L"c=1\r\na=1\r\nb=1", L"",
       Lines{L"copy=c", L"copy=a", L"copy=b"}},
      {"deletions keep the old list's order", L"", L"z=1\r\nx=1\r\ny=1",
       Lines{L"delete=z", L"delete=x", L"delete=y"}},
      {"copies come before deletions", L"n=1", L"o=1", Lines{L"copy=n", L"delete=o"}},
      {"deletions keep the old letter case", L"", L"Old.DLL=1", Lines{L"delete=Old.DLL"}},
      {"copies keep the new letter case", L"New.DLL=2", L"new.dll=1", Lines{L"copy=New.DLL"}},
      {"changed list file is not copied", L"Application_FileList.txt=2",
       L"Application_FileList.txt=1", Lines{}},
      {"new list file is not copied", L"Application_FileList.txt=2", L"", Lines{}},
      {"only the exact list name is passed over", L"application_filelist.txt=2", L"",
       Lines{L"copy=application_filelist.txt"}},
      {"missing list file is deleted", L"a=1", L"a=1\r\nApplication_FileList.txt=1",
       Lines{L"delete=Application_FileList.txt"}},
      {"first old entry of a name wins", L"a=2", L"a=1\r\nA=2", Lines{L"copy=a"}},
      {"later old entry of a name is not deleted", L"a=1", L"a=1\r\nA=2", Lines{}},
      {"every new entry is compared", L"a=1\r\nA=2", L"a=1", Lines{L"copy=A"}},
      {"a line without equals has the empty name", L"junk", L"", Lines{L"copy="}},
      {"empty names match each other", L"junk", L"=", Lines{}},
      {"a removed line without equals", L"", L"junk", Lines{L"delete="}},
      {"traversal names are listed as written", L"..\\..\\x=1", L"C:\\y=1",
       Lines{L"copy=..\\..\\x", L"delete=C:\\y"}},
  };
  for (const CompareCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CompareFileLists(ParseFileList(c.newList), ParseFileList(c.oldList)), c.lines);
  }
}

TEST(UpgradeListComparisonTest, ListCopiesAndListDeletionsAppendToTheResult) {
  const FileList newList = ParseFileList(L"a=2\r\nb=1");
  const FileList oldList = ParseFileList(L"a=1\r\nc=1");
  Lines lines{L"kept"};
  ListCopies(newList, oldList, lines);
  EXPECT_EQ(lines, (Lines{L"kept", L"copy=a", L"copy=b"}));
  ListDeletions(newList, oldList, lines);
  EXPECT_EQ(lines, (Lines{L"kept", L"copy=a", L"copy=b", L"delete=c"}));
}

TEST(UpgradeListComparisonTest, ListDeletionsAloneDoesNotCopy) {
  Lines lines;
  ListDeletions(ParseFileList(L"a=2\r\nb=1"), ParseFileList(L"a=1\r\nc=1"), lines);
  EXPECT_EQ(lines, (Lines{L"delete=c"}));
}

TEST(UpgradeListComparisonTest, ComparesLongListsByFoldedName) {
  std::wstring newText;
  std::wstring oldText;
  for (int i = 0; i < 20000; ++i) {
    newText += L"f" + std::to_wstring(i) + L".dll=" + std::to_wstring(i % 7 == 0 ? 2 : 1) + L"\n";
    oldText += L"F" + std::to_wstring(i + 10) + L".DLL=1\n";
  }
  const Lines lines = CompareFileLists(ParseFileList(newText), ParseFileList(oldText));
  // f0..f9 are new, 2856 of f10..f19999 are multiples of seven and changed, F20000..F20009 are
  // removed.
  std::size_t copies = 0;
  std::size_t deletions = 0;
  for (const std::wstring& line : lines) (line.starts_with(L"copy=") ? copies : deletions)++;
  EXPECT_EQ(copies, 10u + 2856u);
  EXPECT_EQ(deletions, 10u);
  EXPECT_EQ(lines.back(), L"delete=F20009.DLL");
}

}  // namespace
}  // namespace upgrade
