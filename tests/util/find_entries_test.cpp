#include "util/find_entries.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "util/run_and_wait.h"

namespace {

std::wstring MakeFolder(const std::wstring& name) {
  const std::wstring folder = L"C:\\find-entries\\" + name + L"\\";
  ::CreateDirectoryW(L"C:\\find-entries", nullptr);
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

void Touch(const std::wstring& path) {
  ::CloseHandle(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
}

TEST(FindEntries, MatchesTheExtensionWithoutRegardToCaseFoldersIncluded) {
  const std::wstring folder = MakeFolder(L"mixed");
  for (const wchar_t* name : {L"a.xls", L"B.XLS", L".xls", L"xls", L"c.xlsx", L"d.xls.bak"}) {
    Touch(folder + name);
  }
  ::CreateDirectoryW((folder + L"sub.Xls").c_str(), nullptr);

  std::vector<std::wstring> list{L"kept"};
  const int count = FindEntries(folder, L".xls", list);

  EXPECT_EQ(count, 4);
  ASSERT_EQ(list.size(), 5u);
  EXPECT_EQ(list.front(), L"kept") << "names are appended";
  std::vector<std::wstring> found(list.begin() + 1, list.end());
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::wstring>{L".xls", L"B.XLS", L"a.xls", L"sub.Xls"}));
}

TEST(FindEntries, FolderWithoutTrailingSeparatorAndMissingFolder) {
  const std::wstring folder = MakeFolder(L"plain");
  Touch(folder + L"x.xls");
  std::vector<std::wstring> list;
  EXPECT_EQ(FindEntries(folder.substr(0, folder.size() - 1), L".XLS", list), 1);
  EXPECT_EQ(FindEntries(L"C:\\find-entries\\missing", L".xls", list), 0);
  EXPECT_EQ(list.size(), 1u);
}

TEST(RunAndWait, WaitsForTheCommandAndReportsAProgramThatCannotStart) {
  const std::wstring marker = MakeFolder(L"run") + L"done.txt";
  EXPECT_TRUE(RunAndWait(L"cmd.exe /c echo x > \"" + marker + L"\"", CREATE_NO_WINDOW));
  EXPECT_NE(::GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES)
      << "the command has run to its end when RunAndWait returns";
  EXPECT_FALSE(RunAndWait(L"C:\\no\\such\\program.exe", CREATE_NO_WINDOW));
  EXPECT_FALSE(RunAndWait(L"", CREATE_NO_WINDOW));
}

}  // namespace
