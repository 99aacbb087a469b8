// Which product folders the uninstallation may empty: never a drive, a share, the Windows or
// Program Files folder, a special folder or a folder above one, nor a path that is not plain.
#include "util/removal_guards.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>

#include "tests/util/test_files.h"

namespace {

std::wstring ParentOf(const std::wstring& path) {
  return path.substr(0, path.rfind(L'\\'));
}

struct InstallDirCase {
  const char* label;
  std::wstring installDir;
  bool removable;
};

TEST(RemovalGuards, InstallDirMustBeAPlainFolderOfItsOwn) {
  const std::wstring programFiles = test_files::SpecialFolder(CSIDL_PROGRAM_FILES);
  const InstallDirCase cases[] = {
      {"product folder", programFiles + L"\\Kestra", true},
      {"product folder with separator", programFiles + L"\\Kestra\\", true},
      {"folder on a share", L"\\\\server\\share\\Kestra", true},
      {"empty", L"", false},
      {"bare drive", L"C:", false},
      {"drive root", L"C:\\", false},
      {"drive-relative", L"C:Kestra", false},
      {"relative", L"Kestra", false},
      {"rooted without drive", L"\\Kestra", false},
      {"share root", L"\\\\server\\share", false},
      {"share root with separator", L"\\\\server\\share\\", false},
      {"server only", L"\\\\server", false},
      {"device path", L"\\\\?\\C:\\Kestra", false},
      {"steps up to the drive", programFiles + L"\\Kestra\\..\\..", false},
      {"dot step", programFiles + L"\\.\\Kestra", false},
      {"forward slashes", L"C:/Kestra", false},
      {"Program Files", programFiles, false},
      {"Program Files, other case", L"c:\\PROGRAM FILES (X86)", false},
      {"64-bit Program Files", L"C:\\Program Files", false},
      {"Windows", test_files::SpecialFolder(CSIDL_WINDOWS), false},
      {"system folder", test_files::SpecialFolder(CSIDL_SYSTEM), false},
      {"common templates", test_files::SpecialFolder(CSIDL_COMMON_TEMPLATES), false},
      {"desktop", test_files::SpecialFolder(CSIDL_DESKTOPDIRECTORY), false},
      {"documents", test_files::SpecialFolder(CSIDL_PERSONAL), false},
      {"folder above the profiles", ParentOf(test_files::SpecialFolder(CSIDL_PROFILE)), false},
      {"common application data", test_files::SpecialFolder(CSIDL_COMMON_APPDATA), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsRemovableInstallDir(c.installDir), c.removable) << c.label;
  }
}

TEST(RemovalGuards, ProtectedFoldersIncludeSpecialFoldersAndWhatHoldsThem) {
  EXPECT_TRUE(IsProtectedFolder(test_files::SpecialFolder(CSIDL_COMMON_PROGRAMS)));
  EXPECT_TRUE(IsProtectedFolder(ParentOf(test_files::SpecialFolder(CSIDL_COMMON_PROGRAMS))));
  EXPECT_TRUE(IsProtectedFolder(L"C:\\"));
  EXPECT_TRUE(IsProtectedFolder(L""));
  EXPECT_FALSE(
      IsProtectedFolder(test_files::SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Kestra Labs"));
  EXPECT_FALSE(IsProtectedFolder(test_files::SpecialFolder(CSIDL_COMMON_PROGRAMS) +
                                 L"\\Kestra Labs\\Kestra Scan"));
}

TEST(RemovalGuards, NormalisedPathDropsOneTrailingSeparatorOnly) {
  EXPECT_EQ(NormalisedAbsolutePath(L"C:\\Kestra\\"), L"C:\\Kestra");
  EXPECT_EQ(NormalisedAbsolutePath(L"C:\\"), L"C:\\");
  EXPECT_EQ(NormalisedAbsolutePath(L"C:\\Kestra\\..\\Other"), L"");
  EXPECT_EQ(NormalisedAbsolutePath(L"C:\\Kestra."), L"");
}

}  // namespace
