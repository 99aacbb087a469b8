// Comparing and applying file lists on disk: what is copied, deleted and recorded, what stays
// untouched when the lists agree, and that names leading out of the program folder do nothing.
#include "upgrade/file_list_upgrade.h"

#include <gtest/gtest.h>

#include <string>

#include "app/app_paths.h"
#include "tests/util/test_files.h"
#include "util/reg_key.h"
#include "util/scoped_handle.h"

namespace {

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

struct Layout {
  std::wstring root;       // holds everything below, and files "outside" the program folders
  std::wstring package;    // the package's program folder
  std::wstring installed;  // the installed program folder
  std::wstring templates;  // where the instruction file goes
  std::wstring setupIni;
};

Layout MakeLayout(const std::wstring& name, const std::string& entryName,
                  const std::string& version) {
  Layout layout;
  layout.root = test_files::FreshFolder(name);
  layout.package = layout.root + L"package\\Program Files\\Kestra";
  layout.installed = layout.root + L"installed\\Kestra\\";
  layout.templates = layout.root + L"templates";
  test_files::MakeFolders(layout.package);
  test_files::MakeFolders(layout.installed);
  test_files::MakeFolders(layout.templates);
  layout.setupIni = layout.root + L"package\\Setup.ini";
  test_files::WriteText(layout.setupIni, "[Setup]\r\n%REG_FODLER_PROGNAME=" + entryName +
                                             "\r\n%PROGRAM_VERSION=" + version + "\r\n");
  return layout;
}

std::optional<std::wstring> DisplayVersion(const std::wstring& entry) {
  win::RegKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, kUninstallKey + entry, KEY_READ)) return std::nullopt;
  return key.ReadString(L"DisplayVersion");
}

void SetDisplayVersion(const std::wstring& entry, const std::wstring& version) {
  win::RegKey key;
  ASSERT_TRUE(key.Create(HKEY_LOCAL_MACHINE, kUninstallKey + entry, KEY_WRITE));
  ASSERT_TRUE(key.WriteString(L"DisplayVersion", version));
}

std::string Narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}

class FileListUpgrade : public testing::Test {};

// "\u0105" is not in the code page: written with a best fit it would read back as "a.dll", and
// the copy and deletion of the one file would land on the other.
TEST_F(FileListUpgrade, ANameTheCodePageCannotHoldIsSkippedNotMappedToAnother) {
  const Layout l = MakeLayout(L"upgrade-best-fit", "KestraUpgradeBestFit", "2.0");
  test_files::WriteText(l.package + L"\\Application_FileList.txt",
                        "\xEF\xBB\xBF"
                        "a.dll=1\r\n\xC4\x85"
                        ".dll=2\r\n");
  test_files::WriteText(l.installed + L"Application_FileList.txt",
                        "\xEF\xBB\xBF"
                        "a.dll=1\r\n\xC4\x85"
                        "b.dll=1\r\n");
  test_files::WriteText(l.package + L"\\\u0105.dll", "new");
  test_files::WriteText(l.installed + L"a.dll", "installed");
  test_files::WriteText(l.installed + L"\u0105b.dll", "installed");

  const auto lines = CompareAndApply(l.package, l.installed, l.templates, l.setupIni).instructions;

  EXPECT_EQ(lines, (std::vector<std::wstring>{L"skip=\u0105.dll", L"skip=\u0105b.dll"}));
  EXPECT_EQ(test_files::ReadText(l.installed + L"a.dll"), std::optional<std::string>("installed"));
  EXPECT_EQ(test_files::ReadText(l.installed + L"ab.dll"), std::nullopt);
  EXPECT_EQ(test_files::ReadText(l.installed + L"\u0105b.dll"),
            std::optional<std::string>("installed"));
}

TEST_F(FileListUpgrade, CopiesNewAndChangedDeletesRemovedAndRecordsTheVersion) {
  const Layout l = MakeLayout(L"upgrade-changes", "KestraUpgradeOne", "2.0");
  SetDisplayVersion(L"KestraUpgradeOne", L"1.0");
  test_files::WriteText(l.package + L"\\Application_FileList.txt",
                        "same.dll=1\r\nchanged.dll=2\r\nnew.dll=1\r\nsub\\x.dll=1\r\n"
                        "Data\\inner.txt=2\r\nApplication_FileList.txt=9\r\n");
  test_files::WriteText(l.installed + L"Application_FileList.txt",
                        "SAME.DLL=1\r\nchanged.dll=1\r\nremoved.dll=1\r\nData\\inner.txt=1\r\n");
  for (const wchar_t* name :
       {L"same.dll", L"changed.dll", L"new.dll", L"sub\\x.dll", L"Data\\inner.txt"}) {
    test_files::WriteText(l.package + L"\\" + name, "new");
  }
  for (const wchar_t* name : {L"same.dll", L"changed.dll", L"removed.dll", L"Data\\inner.txt"}) {
    test_files::WriteText(l.installed + name, "old");
  }

  const AppliedUpgrade applied = CompareAndApply(l.package, l.installed, l.templates, l.setupIni);
  const std::vector<std::wstring>& lines = applied.instructions;

  EXPECT_EQ(applied.failures, 0u) << "sub\\x.dll arrives with its folder";
  EXPECT_EQ(lines,
            (std::vector<std::wstring>{L"copy=changed.dll", L"copy=new.dll", L"copy=sub\\x.dll",
                                       L"copy=Data\\inner.txt", L"delete=removed.dll"}));
  EXPECT_EQ(test_files::ReadText(l.templates + L"\\ComparedResult.txt"),
            "copy=changed.dll\r\ncopy=new.dll\r\ncopy=sub\\x.dll\r\ncopy=Data\\inner.txt\r\n"
            "delete=removed.dll\r\n");
  EXPECT_EQ(test_files::ReadText(l.installed + L"same.dll"), "old");
  EXPECT_EQ(test_files::ReadText(l.installed + L"changed.dll"), "new");
  EXPECT_EQ(test_files::ReadText(l.installed + L"new.dll"), "new");
  EXPECT_EQ(test_files::ReadText(l.installed + L"Data\\inner.txt"), "new");
  EXPECT_FALSE(test_files::IsFile(l.installed + L"removed.dll"));
  EXPECT_EQ(test_files::ReadText(l.installed + L"sub\\x.dll"), "new");
  EXPECT_EQ(test_files::ReadText(l.installed + L"Application_FileList.txt"),
            test_files::ReadText(l.package + L"\\Application_FileList.txt"));
  EXPECT_EQ(DisplayVersion(L"KestraUpgradeOne"), L"2.0");
}

// A changed file held open without sharing is not replaced: the installed list keeps its line
// (and a new file that did not arrive gets none), so the same upgrade run again copies exactly
// those, and the version is recorded all the same.
TEST_F(FileListUpgrade, WhatWasNotCopiedIsCopiedByTheNextRun) {
  const Layout l = MakeLayout(L"upgrade-held", "KestraUpgradeHeld", "2.0");
  SetDisplayVersion(L"KestraUpgradeHeld", L"1.0");
  test_files::WriteText(l.package + L"\\Application_FileList.txt",
                        "held.dll=2\r\nfree.dll=2\r\nnew.dll=1\r\n");
  test_files::WriteText(l.installed + L"Application_FileList.txt", "held.dll=1\r\nfree.dll=1\r\n");
  for (const wchar_t* name : {L"held.dll", L"free.dll", L"new.dll"}) {
    test_files::WriteText(l.package + L"\\" + name, "new");
  }
  test_files::WriteText(l.installed + L"held.dll", "old");
  test_files::WriteText(l.installed + L"free.dll", "old");
  // new.dll's place is taken by a folder, so it cannot arrive either.
  test_files::MakeFolders(l.installed + L"new.dll");
  {
    const win::ScopedHandle held(::CreateFileW((l.installed + L"held.dll").c_str(), GENERIC_READ, 0,
                                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                               nullptr));
    ASSERT_TRUE(held.IsValid());
    EXPECT_EQ(CompareAndApply(l.package, l.installed, l.templates, l.setupIni).failures, 2u);
  }
  EXPECT_EQ(test_files::ReadText(l.installed + L"held.dll"), "old");
  EXPECT_EQ(test_files::ReadText(l.installed + L"free.dll"), "new");
  EXPECT_EQ(test_files::ReadText(l.installed + L"Application_FileList.txt"),
            "\xEF\xBB\xBF"
            "held.dll=1\r\nfree.dll=2\r\n");
  EXPECT_EQ(DisplayVersion(L"KestraUpgradeHeld"), L"2.0");

  ::RemoveDirectoryW((l.installed + L"new.dll").c_str());
  const AppliedUpgrade again = CompareAndApply(l.package, l.installed, l.templates, l.setupIni);
  EXPECT_EQ(again.instructions, (std::vector<std::wstring>{L"copy=held.dll", L"copy=new.dll"}));
  EXPECT_EQ(again.failures, 0u);
  EXPECT_EQ(test_files::ReadText(l.installed + L"held.dll"), "new");
  EXPECT_EQ(test_files::ReadText(l.installed + L"new.dll"), "new");
  EXPECT_EQ(test_files::ReadText(l.installed + L"Application_FileList.txt"),
            test_files::ReadText(l.package + L"\\Application_FileList.txt"));
}

// The worker's pause gate is passed before each file operation and before the list is replaced,
// so a paused upgrade stops between two files.
TEST_F(FileListUpgrade, PassesThePauseGateBeforeEveryFileOperation) {
  const Layout l = MakeLayout(L"upgrade-gate", "KestraUpgradeGate", "2.0");
  test_files::WriteText(l.package + L"\\Application_FileList.txt",
                        "changed.dll=2\r\nnew.dll=1\r\nApplication_FileList.txt=9\r\n");
  test_files::WriteText(l.installed + L"Application_FileList.txt",
                        "changed.dll=1\r\nremoved.dll=1\r\n");
  test_files::WriteText(l.package + L"\\changed.dll", "new");
  test_files::WriteText(l.package + L"\\new.dll", "new");
  test_files::WriteText(l.installed + L"changed.dll", "old");
  test_files::WriteText(l.installed + L"removed.dll", "old");

  // What the folder holds each time the gate is passed: changed.dll, new.dll, removed.dll.
  std::vector<std::string> seen;
  const auto state = [&](const wchar_t* name) {
    return test_files::ReadText(l.installed + name).value_or("-");
  };
  CompareAndApply(l.package, l.installed, l.templates, l.setupIni, [&] {
    seen.push_back(state(L"changed.dll") + "," + state(L"new.dll") + "," + state(L"removed.dll"));
  });

  EXPECT_EQ(seen, (std::vector<std::string>{"old,-,old", "new,-,old", "new,new,old", "new,new,-"}));
}

TEST_F(FileListUpgrade, IdenticalListsChangeNothing) {
  const Layout l = MakeLayout(L"upgrade-same", "KestraUpgradeSame", "2.0");
  SetDisplayVersion(L"KestraUpgradeSame", L"1.0");
  test_files::WriteText(l.package + L"\\Application_FileList.txt", "a.dll=1\r\n");
  // The same list in UTF-16 with its byte-order mark and LF line ends.
  test_files::WriteText(l.installed + L"Application_FileList.txt", std::string("\xFF\xFE"
                                                                               "a\0.\0d\0l\0l\0=\0"
                                                                               "1\0\n\0",
                                                                               18));
  test_files::WriteText(l.package + L"\\a.dll", "new");
  test_files::WriteText(l.installed + L"a.dll", "old");

  EXPECT_TRUE(
      CompareAndApply(l.package, l.installed, l.templates, l.setupIni).instructions.empty());
  EXPECT_FALSE(test_files::IsFile(l.templates + L"\\ComparedResult.txt"));
  EXPECT_EQ(test_files::ReadText(l.installed + L"a.dll"), "old");
  EXPECT_EQ(test_files::ReadText(l.installed + L"Application_FileList.txt")->size(), 18u);
  EXPECT_EQ(DisplayVersion(L"KestraUpgradeSame"), L"1.0");
}

TEST_F(FileListUpgrade, NamesLeavingTheProgramFolderCopyAndDeleteNothing) {
  const Layout l = MakeLayout(L"upgrade-traversal", "KestraUpgradeWalk", "3.0");
  const std::string root = Narrow(l.root);
  test_files::WriteText(l.root + L"victim.txt", "victim");
  test_files::WriteText(l.root + L"installed\\victim.txt", "victim");
  test_files::WriteText(l.installed + L"plain.txt", "plain");
  test_files::WriteText(l.root + L"package\\Program Files\\victim.txt", "from the package");
  test_files::WriteText(l.root + L"package\\victim.txt", "from the package");
  // Changed in the new list: each would be a copy.
  const std::string copies[] = {
      "..\\victim.txt",
      "..\\..\\victim.txt",
      "sub\\..\\..\\victim.txt",
      root + "victim.txt",
      "\\\\localhost\\C$\\victim.txt",
      "C:victim.txt",
      "plain.txt:stream",
      "/victim.txt",
      "..",
  };
  // Only in the old list: each would be a deletion.
  const std::string deletions[] = {
      "..\\..\\installed\\victim.txt",
      ".\\..\\victim.txt",
      root + "installed\\victim.txt",
      "\\\\?\\" + root + "victim.txt",
      "C:..\\victim.txt",
      "plain.txt::$DATA",
      "..\\.\\victim.txt",
  };
  std::string newList = "Application_FileList.txt=1\r\n";
  std::string oldList;
  for (const auto& name : copies) {
    newList += name + "=2\r\n";
    oldList += name + "=1\r\n";
  }
  for (const auto& name : deletions) oldList += name + "=1\r\n";
  test_files::WriteText(l.package + L"\\Application_FileList.txt", newList);
  test_files::WriteText(l.installed + L"Application_FileList.txt", oldList);
  ::SetCurrentDirectoryW(l.installed.c_str());

  const auto lines = CompareAndApply(l.package, l.installed, l.templates, l.setupIni).instructions;

  ::SetCurrentDirectoryW(L"C:\\");
  EXPECT_EQ(lines.size(), std::size(copies) + std::size(deletions))
      << "the instructions are written; carrying them out passes over each";
  EXPECT_EQ(test_files::ReadText(l.root + L"victim.txt"), "victim");
  EXPECT_EQ(test_files::ReadText(l.root + L"installed\\victim.txt"), "victim");
  EXPECT_EQ(test_files::ReadText(l.installed + L"plain.txt"), "plain");
  EXPECT_FALSE(test_files::IsFile(l.installed + L"victim.txt"));
  EXPECT_EQ(test_files::ReadText(L"C:\\victim.txt"), std::nullopt);
}

// An ordinary user planted, in the program folder that everybody may write to, a junction that
// the installed list names a file through, and a hard link to a file outside in place of a file
// that the new release changes.
TEST_F(FileListUpgrade, PlantedLinksAndHardLinksAreNeverFollowed) {
  const Layout l = MakeLayout(L"upgrade-planted", "KestraUpgradePlanted", "3.1");
  test_files::WriteText(l.root + L"outside\\victim.txt", "victim");
  ASSERT_TRUE(test_files::PlantLink(l.installed + L"x", l.root + L"outside"));
  test_files::WriteText(l.root + L"shared.txt", "not the product's");
  ASSERT_TRUE(::CreateHardLinkW((l.installed + L"changed.dll").c_str(),
                                (l.root + L"shared.txt").c_str(), nullptr));
  test_files::WriteText(l.package + L"\\changed.dll", "new release");
  test_files::WriteText(l.package + L"\\Application_FileList.txt",
                        "Application_FileList.txt=1\r\nchanged.dll=2\r\n");
  test_files::WriteText(l.installed + L"Application_FileList.txt",
                        "changed.dll=1\r\nx\\victim.txt=0\r\n");

  const auto applied = CompareAndApply(l.package, l.installed, l.templates, l.setupIni);

  EXPECT_EQ(test_files::ReadText(l.root + L"outside\\victim.txt"), "victim");
  EXPECT_EQ(test_files::ReadText(l.root + L"shared.txt"), "not the product's");
  EXPECT_EQ(test_files::ReadText(l.installed + L"changed.dll"), "new release");
  EXPECT_EQ(applied.failures, 0u);
}

TEST_F(FileListUpgrade, MissingInstalledListCountsAsEmpty) {
  const Layout l = MakeLayout(L"upgrade-no-old", "KestraUpgradeNoOld", "2.5");
  test_files::WriteText(l.package + L"\\Application_FileList.txt", "a.dll=1\r\n");
  test_files::WriteText(l.package + L"\\a.dll", "new");
  EXPECT_EQ(CompareAndApply(l.package, l.installed, l.templates, l.setupIni).instructions,
            std::vector<std::wstring>{L"copy=a.dll"});
  EXPECT_EQ(test_files::ReadText(l.installed + L"a.dll"), "new");
  EXPECT_TRUE(test_files::IsFile(l.installed + L"Application_FileList.txt"));
  EXPECT_EQ(DisplayVersion(L"KestraUpgradeNoOld"), L"2.5");
}

TEST_F(FileListUpgrade, MissingPackageListDeletesNothing) {
  const Layout l = MakeLayout(L"upgrade-no-new", "KestraUpgradeNoNew", "2.0");
  test_files::WriteText(l.installed + L"Application_FileList.txt", "a.dll=1\r\n");
  test_files::WriteText(l.installed + L"a.dll", "old");
  EXPECT_TRUE(
      CompareAndApply(l.package, l.installed, l.templates, l.setupIni).instructions.empty());
  EXPECT_EQ(test_files::ReadText(l.installed + L"a.dll"), "old");
  EXPECT_EQ(DisplayVersion(L"KestraUpgradeNoNew"), std::nullopt);
}

TEST_F(FileListUpgrade, DisplayVersionNeedsAnEntryName) {
  const Layout l = MakeLayout(L"upgrade-no-entry", "", "9.9");
  win::RegKey uninstall;
  ASSERT_TRUE(uninstall.Create(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_WRITE));
  (void)uninstall.DeleteValue(L"DisplayVersion");  // normally absent already
  UpdateDisplayVersion(l.setupIni);
  UpdateDisplayVersion(l.root + L"missing\\Setup.ini");
  win::RegKey read;
  ASSERT_TRUE(read.Open(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_READ));
  EXPECT_FALSE(read.HasValue(L"DisplayVersion")) << "the Uninstall key itself gets no version";
}

TEST_F(FileListUpgrade, EmptyVersionIsRecordedEmpty) {
  const Layout l = MakeLayout(L"upgrade-empty-version", "KestraUpgradeEmpty", "");
  SetDisplayVersion(L"KestraUpgradeEmpty", L"1.0");
  UpdateDisplayVersion(l.setupIni);
  EXPECT_EQ(DisplayVersion(L"KestraUpgradeEmpty"), L"");
}

}  // namespace
