#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/folders/pending_deletions.h"

namespace folders {
namespace {

using namespace std::string_literals;

TEST(PendingDeletionsTest, SplitsPairsWithEmptyTargetsAndJoinsThemBack) {
  const std::wstring data = L"\\??\\C:\\a\0\0\\??\\C:\\b\0\\??\\C:\\c\0\0"s;
  const std::vector<std::wstring> strings{L"\\??\\C:\\a", L"", L"\\??\\C:\\b", L"\\??\\C:\\c"};
  EXPECT_EQ(SplitMultiString(data), strings);
  EXPECT_EQ(SplitMultiString(JoinMultiString(strings)), strings);
  EXPECT_EQ(SplitMultiString(L"\\??\\C:\\a\0\0\0"s),
            (std::vector<std::wstring>{L"\\??\\C:\\a", L""}));
  EXPECT_TRUE(SplitMultiString(L""s).empty());
}

TEST(PendingDeletionsTest, TakesOutOnlyTheDeletionsOfTheFolderAndItsContent) {
  const std::vector<std::wstring> operations{L"\\??\\C:\\Backup\\Kestra\\Setup.exe",
                                             L"",  // inside: goes
                                             L"\\??\\C:\\backup\\kestra",
                                             L"",  // the folder, other letter case: goes
                                             L"\\??\\C:\\Backup\\KestraOther",
                                             L"",  // a neighbour whose name begins the same
                                             L"\\??\\C:\\Backup\\Kestra\\old.dll",
                                             L"\\??\\C:\\Backup\\Kestra\\new.dll",  // a rename
                                             L"\\??\\C:\\Elsewhere\\x.tmp",
                                             L""};
  EXPECT_EQ(WithoutDeletionsInside(operations, L"C:\\Backup\\Kestra"),
            (std::vector<std::wstring>{
                L"\\??\\C:\\Backup\\KestraOther", L"", L"\\??\\C:\\Backup\\Kestra\\old.dll",
                L"\\??\\C:\\Backup\\Kestra\\new.dll", L"\\??\\C:\\Elsewhere\\x.tmp", L""}));
}

}  // namespace
}  // namespace folders
