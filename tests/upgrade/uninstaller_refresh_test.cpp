// Refreshing the installed uninstaller copy from the running package after an upgrade: the copy's
// folder ends up holding the package without its payload, and a folder that the copy could
// not own (empty, a special folder, the package itself) is left alone.
#include "upgrade/uninstaller_refresh.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>

#include "tests/util/test_files.h"

namespace {

TEST(UninstallerRefresh, CopyFolderHoldsThePackageWithoutItsPayload) {
  const std::wstring root = test_files::FreshFolder(L"refresh");
  const std::wstring package = root + L"package\\";
  const std::wstring backup = root + L"backup\\";
  test_files::WriteText(package + L"Setup.exe", "new setup");
  test_files::WriteText(package + L"Setup.ini", "new settings");
  test_files::WriteText(package + L"Texts\\Texts.xls", "new texts");
  test_files::WriteText(package + L"Program Files\\Kestra\\Kestra.exe", "payload");
  test_files::WriteText(backup + L"Setup.exe", "old setup");
  test_files::WriteText(backup + L"Stale.txt", "stale");
  test_files::WriteText(backup + L"Old\\old.txt", "stale");
  test_files::WriteText(root + L"outside\\victim.txt", "outside");
  ASSERT_TRUE(test_files::PlantLink(backup + L"planted", root + L"outside"));
  ASSERT_TRUE(test_files::PlantLink(package + L"Texts\\planted", root + L"outside"));

  RefreshUninstallerCopy(backup + L"Setup.exe", package);

  EXPECT_EQ(test_files::ReadText(root + L"outside\\victim.txt"), "outside")
      << "a link in the copy or the package leads nowhere";
  EXPECT_FALSE(test_files::IsFile(backup + L"Texts\\planted\\victim.txt"));
  EXPECT_EQ(test_files::ReadText(backup + L"Setup.exe"), "new setup");
  EXPECT_EQ(test_files::ReadText(backup + L"Setup.ini"), "new settings");
  EXPECT_EQ(test_files::ReadText(backup + L"Texts\\Texts.xls"), "new texts");
  EXPECT_FALSE(test_files::IsFolder(backup + L"Program Files"));
  EXPECT_FALSE(test_files::IsFile(backup + L"Stale.txt"));
  EXPECT_FALSE(test_files::IsFolder(backup + L"Old"));
  EXPECT_EQ(test_files::ReadText(package + L"Program Files\\Kestra\\Kestra.exe"), "payload");
}

TEST(UninstallerRefresh, PayloadFolderInOtherLetterCaseStaysOutToo) {
  const std::wstring root = test_files::FreshFolder(L"refresh-lower");
  const std::wstring package = root + L"package\\";
  const std::wstring backup = root + L"backup\\";
  test_files::WriteText(package + L"Setup.exe", "new setup");
  test_files::WriteText(package + L"program files\\Kestra\\Kestra.exe", "payload");
  test_files::WriteText(backup + L"Setup.exe", "old setup");

  RefreshUninstallerCopy(backup + L"Setup.exe", package);

  EXPECT_EQ(test_files::ReadText(backup + L"Setup.exe"), "new setup");
  EXPECT_FALSE(test_files::IsFolder(backup + L"program files"));
}

TEST(UninstallerRefresh, FoldersItCannotOwnAreLeftAlone) {
  const std::wstring root = test_files::FreshFolder(L"refresh-guards");
  const std::wstring package = root + L"package\\";
  test_files::WriteText(package + L"Setup.exe", "setup");
  test_files::WriteText(package + L"Inner\\Setup.exe", "inner");
  const std::wstring templates = test_files::SpecialFolder(CSIDL_COMMON_TEMPLATES);
  test_files::WriteText(templates + L"\\refresh-canary.txt", "canary");
  ::SetCurrentDirectoryW(package.c_str());

  const struct {
    const char* label;
    std::wstring uninstaller;
  } cases[] = {
      {"empty", L""},
      {"no folder", L"Setup.exe"},
      {"drive root", L"C:\\Setup.exe"},
      {"special folder", templates + L"\\Setup.exe"},
      {"the package itself", package + L"Setup.exe"},
      {"inside the package", package + L"Inner\\Setup.exe"},
      {"above the package", root + L"Setup.exe"},
  };
  for (const auto& c : cases) RefreshUninstallerCopy(c.uninstaller, package);
  ::SetCurrentDirectoryW(L"C:\\");

  EXPECT_EQ(test_files::ReadText(package + L"Setup.exe"), "setup");
  EXPECT_EQ(test_files::ReadText(package + L"Inner\\Setup.exe"), "inner");
  EXPECT_EQ(test_files::ReadText(templates + L"\\refresh-canary.txt"), "canary");
  EXPECT_FALSE(test_files::IsFile(L"C:\\Setup.exe"));
}

}  // namespace
