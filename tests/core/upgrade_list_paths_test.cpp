#include <gtest/gtest.h>

#include <string>

#include "core/upgrade/list_paths.h"

namespace upgrade {
namespace {

struct NameCase {
  std::wstring name;
  bool inside;
};

TEST(UpgradeListPathsTest, AcceptsPlainRelativeFileNames) {
  const NameCase cases[] = {
      {L"a.dll", true},
      {L"sub\\x.dll", true},
      {L"sub/x.dll", true},
      {L"a\\b\\c\\d.txt", true},
      {L"Application_FileList.txt", true},
      {L"..a", true},
      {L"a..", true},
      {L"a..b\\c", true},
      {L".hidden", true},
      {L"...x", true},
      {L" a.dll", true},
      {L"a.dll ", true},
      {L"name with spaces.txt", true},
      {L"a=b.txt", true},
      {L"\u0416\u00E9.dll", true},
      {L"CONSOLE.dll", true},
      {L"NULL", true},
      {L"COM10", true},
      {L"LPT", true},
      {L"xCON", true},
      {L"COM1x.txt", true},
      {L"~1", true},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "name " << testing::PrintToString(c.name));
    EXPECT_EQ(IsNameInsideFolder(c.name), c.inside);
  }
}

TEST(UpgradeListPathsTest, RefusesNamesThatLeaveTheFolder) {
  const NameCase cases[] = {
      {L"", false},
      {L"..", false},
      {L".", false},
      {L"...", false},
      {L".. ", false},
      {L". .", false},
      {L" ", false},
      {L"..\\x", false},
      {L"../x", false},
      {L"..\\..\\x", false},
      {L"a\\..\\..\\x", false},
      {L"a/../x", false},
      {L"a\\..", false},
      {L"a\\.\\b", false},
      {L".\\a", false},
      {L"a\\.. \\b", false},
      {L"a\\...\\b", false},
      {L"C:\\x", false},
      {L"c:/x", false},
      {L"C:x", false},
      {L"C:", false},
      {L"\\\\server\\share\\x", false},
      {L"//server/share/x", false},
      {L"\\\\?\\C:\\x", false},
      {L"\\\\.\\PhysicalDrive0", false},
      {L"\\??\\C:\\x", false},
      {L"\\x", false},
      {L"/x", false},
      {L"\\", false},
      {L"/", false},
      {L"\\\\", false},
      {L"\\/", false},
      {L"a\\", false},
      {L"a/", false},
      {L"a\\\\b", false},
      {L"a.dll:stream", false},
      {L"a.dll::$DATA", false},
      {L"sub\\a:b", false},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "name " << testing::PrintToString(c.name));
    EXPECT_EQ(IsNameInsideFolder(c.name), c.inside);
  }
}

TEST(UpgradeListPathsTest, RefusesCharactersNoFileNameHolds) {
  const NameCase cases[] = {
      {L"a*.dll", false}, {L"a?.dll", false},
      {L"a<b", false},    {L"a>b", false},
      {L"a|b", false},    {L"a\"b", false},
      {L"a\tb", false},   {std::wstring(L"a\0b", 3), false},
      {L"a\x1F", false},  {L"sub\\a\x01.dll", false},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "name " << testing::PrintToString(c.name));
    EXPECT_EQ(IsNameInsideFolder(c.name), c.inside);
  }
}

TEST(UpgradeListPathsTest, RefusesDeviceNames) {
  const NameCase cases[] = {
      {L"CON", false},        {L"con", false},      {L"Nul", false},       {L"PRN", false},
      {L"AUX", false},        {L"NUL.txt", false},  {L"nul .txt", false},  {L"NUL ", false},
      {L"COM1", false},       {L"lpt9.log", false}, {L"COM0", false},      {L"COM\u00B9", false},
      {L"LPT\u00B3", false},  {L"CONIN$", false},   {L"conout$.x", false}, {L"sub\\CON", false},
      {L"NUL\\x.dll", false}, {L"a/aux.h", false},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "name " << testing::PrintToString(c.name));
    EXPECT_EQ(IsNameInsideFolder(c.name), c.inside);
  }
}

}  // namespace
}  // namespace upgrade
