// Permissions set by handle, the folder walk that cannot be led elsewhere, and the check that
// only administrators can change a file, on the real file system of the Wine prefix (which keeps
// a file's access list as its Unix mode bits).
#include "util/file_permissions.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "core/strings/utf_string_conversions.h"
#include "tests/util/test_files.h"
#include "util/folder_operations.h"
#include "util/held_folder.h"

namespace {

using test_files::AllowsWriting;
using test_files::FreshFolder;
using test_files::RightsOf;
using test_files::WriteText;

bool EveryoneMayWrite(const std::wstring& path) {
  return AllowsWriting(RightsOf(path, WinWorldSid));
}

struct TreeCase {
  const char* name;
  TreeAccess access;
  bool everyoneMayWrite;
};

class SetTreePermissionsTest : public testing::TestWithParam<TreeCase> {};

TEST_P(SetTreePermissionsTest, ReachesEveryEntryButNotWhatAHardLinkShares) {
  const TreeCase& c = GetParam();
  const std::wstring root = FreshFolder(L"permissions-" + std::wstring(c.name, c.name + 3));
  const std::wstring tree = root + L"\\Product";
  WriteText(tree + L"\\Program.exe", "program");
  WriteText(tree + L"\\Data\\Settings.xml", "settings");
  // A file outside, as an ordinary user would link to it from the open folder.
  const std::wstring outside = root + L"\\Outside.txt";
  WriteText(outside, "not the product's");
  ASSERT_TRUE(::CreateHardLinkW((tree + L"\\Data\\Planted.txt").c_str(), outside.c_str(), nullptr));
  ASSERT_FALSE(EveryoneMayWrite(outside));

  const PermissionWalk walk = SetTreePermissions(tree, c.access);

  EXPECT_EQ(walk.set, 4u) << "the folder, its subfolder and both files";
  EXPECT_EQ(walk.passedOver, 1u) << "the hard link";
  EXPECT_EQ(walk.failed, 0u);
  for (const std::wstring& path :
       {tree, tree + L"\\Program.exe", tree + L"\\Data", tree + L"\\Data\\Settings.xml"}) {
    EXPECT_EQ(EveryoneMayWrite(path), c.everyoneMayWrite) << strings::WideToUtf8(path);
  }
  EXPECT_FALSE(EveryoneMayWrite(outside)) << "the hard link's target keeps its permissions";
  EXPECT_EQ(OnlyAdministratorsCanChange(tree + L"\\Program.exe"), !c.everyoneMayWrite);
}

INSTANTIATE_TEST_SUITE_P(Accesses, SetTreePermissionsTest,
                         testing::Values(TreeCase{"everyone", TreeAccess::kEveryoneFull, true},
                                         TreeCase{"admins", TreeAccess::kAdministratorsOnly,
                                                  false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SetTreePermissions, SetsNothingThroughALinkedFolder) {
  const std::wstring root = FreshFolder(L"permissions-link");
  WriteText(root + L"\\Elsewhere\\Victim.txt", "victim");
  ASSERT_TRUE(test_files::PlantLink(root + L"\\Product\\Linked", root + L"\\Elsewhere"));
  ASSERT_FALSE(EveryoneMayWrite(root + L"\\Elsewhere\\Victim.txt"));

  const PermissionWalk walk = SetTreePermissions(root + L"\\Product", TreeAccess::kEveryoneFull);

  EXPECT_EQ(walk.passedOver, 1u);
  EXPECT_FALSE(EveryoneMayWrite(root + L"\\Elsewhere\\Victim.txt"));
  EXPECT_FALSE(EveryoneMayWrite(root + L"\\Elsewhere"));
  EXPECT_EQ(SetTreePermissions(root + L"\\Product\\Linked", TreeAccess::kEveryoneFull).failed, 1u)
      << "a linked folder is no tree to walk";
  EXPECT_FALSE(OnlyAdministratorsCanChange(root + L"\\Product\\Linked\\Victim.txt"));
}

// A product folder name that reached a special folder, a drive root or one above them must not
// open it to everybody.
TEST(SetTreePermissions, SetsNothingOnAFolderThatIsNoProductsOwn) {
  wchar_t templates[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(
      ::SHGetFolderPathW(nullptr, CSIDL_COMMON_TEMPLATES, nullptr, SHGFP_TYPE_CURRENT, templates)));
  for (const std::wstring folder : {std::wstring(templates), std::wstring(L"C:\\")}) {
    const PermissionWalk walk = SetTreePermissions(folder, TreeAccess::kEveryoneFull);
    EXPECT_EQ(walk.set, 0u) << strings::WideToUtf8(folder);
    EXPECT_EQ(walk.failed, 1u) << strings::WideToUtf8(folder);
  }
}

TEST(HeldFolder, OpensOnlyTheEntryThatWasListed) {
  const std::wstring root = FreshFolder(L"held-folder");
  WriteText(root + L"\\Kept.txt", "kept");
  WriteText(root + L"\\Swapped.txt", "first");
  const auto folder = HeldFolder::Open(root, 0);
  ASSERT_TRUE(folder.has_value());
  auto entries = folder->List();
  std::sort(entries.begin(), entries.end(),
            [](const HeldEntry& a, const HeldEntry& b) { return a.name < b.name; });
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, L"Kept.txt");
  EXPECT_EQ(entries[0].size, 4u);

  // Between the listing and the open another entry takes the name (the listed one lives on
  // under another, so its id cannot come back).
  ASSERT_TRUE(::MoveFileW((root + L"\\Swapped.txt").c_str(), (root + L"\\Moved.txt").c_str()));
  WriteText(root + L"\\Swapped.txt", "second");

  EXPECT_TRUE(folder->OpenEntry(entries[0], GENERIC_READ).IsValid());
  EXPECT_FALSE(folder->OpenEntry(entries[1], GENERIC_READ).IsValid());
  EXPECT_FALSE(HeldFolder::Open(root + L"\\Kept.txt", 0).has_value()) << "a file is no folder";
}

// The race behind arbitrary deletions: between the listing and the walk into a subfolder, an
// ordinary user swaps the subfolder for a link to a folder outside.
TEST(HeldFolder, AFolderSwappedForALinkAfterTheListingIsNeverEntered) {
  const std::wstring root = FreshFolder(L"held-swap");
  WriteText(root + L"\\Product\\Data\\Settings.xml", "settings");
  WriteText(root + L"\\Product\\Program.exe", "program");
  WriteText(root + L"\\Outside\\Victim.txt", "victim");
  const auto product = HeldFolder::Open(root + L"\\Product", 0);
  ASSERT_TRUE(product.has_value());
  const auto entries = product->List();
  const auto data = std::find_if(entries.begin(), entries.end(),
                                 [](const HeldEntry& entry) { return entry.name == L"Data"; });
  ASSERT_NE(data, entries.end());

  ASSERT_TRUE(::MoveFileW((root + L"\\Product\\Data").c_str(), (root + L"\\Moved").c_str()));
  ASSERT_TRUE(test_files::PlantLink(root + L"\\Product\\Data", root + L"\\Outside"));

  EXPECT_FALSE(product->OpenFolder(*data, DELETE).has_value());
  ClearFolderTree(root + L"\\Product\\", nullptr, nullptr);
  EXPECT_EQ(test_files::ReadText(root + L"\\Outside\\Victim.txt"), "victim");
  EXPECT_FALSE(test_files::IsFile(root + L"\\Product\\Program.exe"));
}

// A single deletion by path (the upgrade's): a folder on the way that is a link by the time of
// the deletion, whatever an earlier check by path found, leaves the file it leads to alone.
TEST(HeldFolder, DeletesAFileInsideItsRootButNeverThroughALinkedFolder) {
  const std::wstring root = FreshFolder(L"held-delete");
  WriteText(root + L"\\Program\\Top.dll", "top");
  WriteText(root + L"\\Program\\Sub\\Deep.dll", "deep");
  WriteText(root + L"\\Outside\\Deeper\\Victim.txt", "victim");
  ASSERT_TRUE(test_files::PlantLink(root + L"\\Program\\Linked", root + L"\\Outside"));
  const std::wstring program = root + L"\\Program\\";

  EXPECT_TRUE(HeldFolder::DeleteFileInside(program + L"Top.dll", program));
  EXPECT_TRUE(HeldFolder::DeleteFileInside(program + L"Sub\\Deep.dll", program));
  EXPECT_FALSE(HeldFolder::DeleteFileInside(program + L"Linked\\Deeper\\Victim.txt", program));
  EXPECT_FALSE(HeldFolder::DeleteFileInside(root + L"\\Outside\\Deeper\\Victim.txt", program));

  EXPECT_FALSE(test_files::IsFile(program + L"Top.dll"));
  EXPECT_FALSE(test_files::IsFile(program + L"Sub\\Deep.dll"));
  EXPECT_EQ(test_files::ReadText(root + L"\\Outside\\Deeper\\Victim.txt"), "victim");
}

}  // namespace
