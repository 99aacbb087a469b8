// The registry and shortcut removals of an uninstallation, each from a record as the private
// registry folder gives it: what it names goes, what it does not name stays, and an empty or
// too short name removes nothing.
#include "uninstall/uninstall_steps.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>

#include "tests/util/test_files.h"
#include "util/folder_operations.h"
#include "util/reg_key.h"

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

void WriteValue(HKEY root, const std::wstring& key, const std::wstring& name,
                const std::wstring& data) {
  win::RegKey opened;
  ASSERT_TRUE(opened.Create(root, key, KEY_WRITE));
  ASSERT_TRUE(opened.WriteString(name, data));
}

std::optional<std::wstring> ReadValue(HKEY root, const std::wstring& key,
                                      const std::wstring& name) {
  win::RegKey opened;
  if (!opened.Open(root, key, KEY_READ)) return std::nullopt;
  return opened.ReadString(name);
}

bool KeyExists(const std::wstring& key) {
  return win::RegKey::Exists(HKEY_LOCAL_MACHINE, key);
}

class UninstallSteps : public testing::Test {};

TEST_F(UninstallSteps, BootValueGoesAndTheRunKeysOtherValuesStay) {
  WriteValue(HKEY_CURRENT_USER, kRunKey, L"KestraStepsBoot", L"\"C:\\k.exe\" Minimum");
  WriteValue(HKEY_CURRENT_USER, kRunKey, L"OtherProgram", L"other.exe");
  WriteValue(HKEY_CURRENT_USER, kRunKey, L"", L"default.exe");

  UNINSTStruct_INFO record;
  RemoveBootValue(record);  // empty name: the default value is not ours
  EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kRunKey, L""), L"default.exe");
  EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kRunKey, L"KestraStepsBoot"), L"\"C:\\k.exe\" Minimum");

  record.ExecOnBoot = L"KestraStepsBoot";
  RemoveBootValue(record);
  EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kRunKey, L"KestraStepsBoot"), std::nullopt);
  EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kRunKey, L"OtherProgram"), L"other.exe");
  EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kRunKey, L""), L"default.exe");
}

TEST_F(UninstallSteps, UninstallEntryGoesAndOtherEntriesStay) {
  const std::wstring ours = std::wstring(kUninstallKey) + L"KestraStepsEntry";
  const std::wstring other = std::wstring(kUninstallKey) + L"OtherStepsEntry";
  WriteValue(HKEY_LOCAL_MACHINE, ours + L"\\Sub", L"Marker", L"1");
  WriteValue(HKEY_LOCAL_MACHINE, other, L"Marker", L"1");

  for (const wchar_t* name : {L"", L"\\", L"\\\\"}) {
    UNINSTStruct_INFO record;
    record.UninstRegFolder = name;
    RemoveUninstallEntry(record);
    EXPECT_TRUE(KeyExists(ours)) << "name \"" << testing::PrintToString(std::wstring(name)) << "\"";
    EXPECT_TRUE(KeyExists(other));
  }

  UNINSTStruct_INFO record;
  record.UninstRegFolder = L"KestraStepsEntry";
  RemoveUninstallEntry(record);
  EXPECT_FALSE(KeyExists(ours));
  EXPECT_TRUE(KeyExists(other));
  EXPECT_TRUE(KeyExists(kUninstallKey));
}

TEST_F(UninstallSteps, PrivateFolderTakesThePublisherKeyOnlyWhenItWasTheLast) {
  const std::wstring publisher = L"Software\\Kestra Steps Publisher";
  WriteValue(HKEY_LOCAL_MACHINE, publisher, L"PublisherValue", L"kept alive by nothing");
  WriteValue(HKEY_LOCAL_MACHINE, publisher + L"\\KestraOne\\Sub", L"Marker", L"1");
  WriteValue(HKEY_LOCAL_MACHINE, publisher + L"\\KestraOne", L"UninstRegFolder", L"KestraOne");
  WriteValue(HKEY_LOCAL_MACHINE, publisher + L"\\KestraTwo", L"UninstRegFolder", L"KestraTwo");

  UNINSTStruct_INFO record;
  record.KeyPath = publisher + L"\\KestraOne\\";
  record.UninstRegFolder = L"KestraOne";
  EXPECT_TRUE(RemovePrivateFolder(record));
  EXPECT_FALSE(KeyExists(publisher + L"\\KestraOne"));
  EXPECT_TRUE(KeyExists(publisher + L"\\KestraTwo"));
  EXPECT_TRUE(KeyExists(publisher)) << "another product still lies below the publisher key";

  record.KeyPath = publisher + L"\\KestraTwo\\";
  record.UninstRegFolder = L"KestraTwo";
  EXPECT_TRUE(RemovePrivateFolder(record));
  EXPECT_FALSE(KeyExists(publisher)) << "values of the publisher key do not keep it";
  EXPECT_TRUE(KeyExists(L"Software"));
}

// A key of the record's path that holds no record, or another product's, is someone else's.
TEST_F(UninstallSteps, PrivateFolderWithoutThisProductsRecordIsLeftAndReported) {
  const std::wstring canary = L"Software\\Kestra Steps Canary\\KestraOne";
  UNINSTStruct_INFO record;
  record.KeyPath = canary;
  record.UninstRegFolder = L"KestraOne";
  for (const wchar_t* held : {L"", L"KestraOther"}) {
    WriteValue(HKEY_LOCAL_MACHINE, canary, L"Canary", L"1");
    if (*held != L'\0') WriteValue(HKEY_LOCAL_MACHINE, canary, L"UninstRegFolder", held);
    EXPECT_FALSE(RemovePrivateFolder(record)) << testing::PrintToString(std::wstring(held));
    EXPECT_TRUE(KeyExists(canary)) << testing::PrintToString(std::wstring(held));
  }
}

TEST_F(UninstallSteps, PrivateFolderPathsThatNameTooMuchRemoveNothing) {
  WriteValue(HKEY_LOCAL_MACHINE, L"Software\\KestraStepsTop", L"Marker", L"1");
  for (const wchar_t* keyPath : {L"", L"\\", L"Software", L"Software\\", L"KestraStepsTop"}) {
    UNINSTStruct_INFO record;
    record.KeyPath = keyPath;
    RemovePrivateFolder(record);
    EXPECT_TRUE(KeyExists(L"Software\\KestraStepsTop"))
        << testing::PrintToString(std::wstring(keyPath));
    EXPECT_TRUE(KeyExists(L"Software\\Microsoft"));
  }
}

struct MenuLayout {
  std::wstring publisher;
  std::wstring program;
  UNINSTStruct_INFO record;
};

MenuLayout MakeMenu(const std::wstring& publisherName) {
  MenuLayout menu;
  menu.publisher = test_files::SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\" + publisherName;
  menu.program = menu.publisher + L"\\Kestra Steps";
  const std::wstring desktop = test_files::FreshFolder(L"steps-desktop-" + publisherName);
  menu.record.LINK_ProgramsExec = menu.program + L"\\Kestra Steps.lnk";
  menu.record.LINK_ProgramUnist = menu.program + L"\\Uninstall Kestra Steps.lnk";
  menu.record.LINK_ProgramsManual = menu.program + L"\\Kestra Steps Manual.lnk";
  menu.record.LINK_DesktopExec = desktop + L"Kestra Steps.lnk";
  for (const std::wstring* link :
       {&menu.record.LINK_ProgramsExec, &menu.record.LINK_ProgramUnist,
        &menu.record.LINK_ProgramsManual, &menu.record.LINK_DesktopExec}) {
    test_files::WriteText(*link, "link");
  }
  return menu;
}

TEST_F(UninstallSteps, LinksAndBothMenuFoldersGoWhenNothingElseIsLeft) {
  const MenuLayout menu = MakeMenu(L"Kestra Steps Alone");
  RemoveLinks(menu.record, L"Kestra Steps");
  EXPECT_FALSE(test_files::IsFile(menu.record.LINK_ProgramsExec));
  EXPECT_FALSE(test_files::IsFile(menu.record.LINK_ProgramUnist));
  EXPECT_FALSE(test_files::IsFile(menu.record.LINK_ProgramsManual));
  EXPECT_FALSE(test_files::IsFile(menu.record.LINK_DesktopExec));
  EXPECT_FALSE(test_files::IsFolder(menu.program));
  EXPECT_FALSE(test_files::IsFolder(menu.publisher));
  EXPECT_TRUE(test_files::IsFolder(test_files::SpecialFolder(CSIDL_COMMON_PROGRAMS)));
}

TEST_F(UninstallSteps, PublisherMenuFolderStaysWithAnotherProductsFolder) {
  const MenuLayout menu = MakeMenu(L"Kestra Steps Shared");
  test_files::WriteText(menu.publisher + L"\\Kestra Other\\Kestra Other.lnk", "link");
  RemoveLinks(menu.record, L"Kestra Steps");
  EXPECT_FALSE(test_files::IsFolder(menu.program));
  EXPECT_TRUE(test_files::IsFile(menu.publisher + L"\\Kestra Other\\Kestra Other.lnk"));
}

TEST_F(UninstallSteps, EmptyManualLinkIsNotDeletedAndEmptyPathsRemoveNoFolder) {
  // The working folder is where a relative or empty name would land.
  const std::wstring folder = test_files::FreshFolder(L"steps-working");
  test_files::WriteText(folder + L"keep.txt", "keep");
  ::SetCurrentDirectoryW(folder.c_str());
  UNINSTStruct_INFO record;
  RemoveLinks(record, L"Kestra Steps");
  EXPECT_TRUE(test_files::IsFile(folder + L"keep.txt"));
  EXPECT_TRUE(test_files::IsFolder(folder));
  ::SetCurrentDirectoryW(L"C:\\");
}

TEST_F(UninstallSteps, AnEmptySpecialFolderHoldingTheLinkIsNotRemoved) {
  // A Start-menu layout without publisher and programs folders puts the links straight into a
  // special folder; removing its last link must not remove the folder.
  const std::wstring special = test_files::SpecialFolder(CSIDL_MYVIDEO);
  ASSERT_FALSE(special.empty());
  UNINSTStruct_INFO record;
  record.LINK_ProgramsExec = special + L"\\Kestra Steps.lnk";
  test_files::WriteText(record.LINK_ProgramsExec, "link");
  ASSERT_EQ(CountFolderEntries(special, L""), 1) << "the link is all the folder holds";
  RemoveLinks(record, L"Kestra Steps");
  EXPECT_FALSE(test_files::IsFile(record.LINK_ProgramsExec));
  EXPECT_TRUE(test_files::IsFolder(special));
}

}  // namespace
