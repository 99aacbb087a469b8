// Shortcut files written through the shell of the Wine prefix and read back through IShellLinkW.
#include "util/shortcuts.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <string>
#include <thread>

#include "tests/util/test_files.h"
#include "tools/driver/driver.h"

namespace {

using test_files::FreshFolder;
using test_files::IsFile;
using test_files::WriteText;

TEST(CreateShortcut, StoresTargetDescriptionArgumentsIconAndTheTargetsFolder) {
  const std::wstring folder = FreshFolder(L"shortcuts");
  const struct {
    std::wstring target;
    std::wstring description;
    std::wstring arguments;
    std::wstring icon;
    std::wstring workingFolder;
  } cases[] = {
      {folder + L"P\\Prog.exe", L"Program", L"", folder + L"P\\Prog.exe", folder + L"P\\"},
      {folder + L"P\\Setup.exe", L"Uninstall", L"uninstall", folder + L"English\\Application.ico",
       folder + L"P\\"},
      // Wine reads a shortcut's target back from its copy in the ANSI code page, so the target
      // keeps to Latin-1 here; the other texts are stored as UTF-16.
      {folder + L"Pr\u00f6gramm\\Tool 1.5.exe", L"Werkzeug \u00fc\u00df \u7a0b\u5f0f",
       L"-a \"b c\"", folder + L"Symbole \u7a0b\u5f0f\\Tool.ico", folder + L"Pr\u00f6gramm\\"},
  };
  int number = 0;
  for (const auto& c : cases) {
    WriteText(c.target, "MZ");
    WriteText(c.icon, "icon");
    const std::wstring link = folder + L"Links\\Shortcut " + std::to_wstring(++number) + L".lnk";
    test_files::MakeFolders(folder + L"Links");

    EXPECT_TRUE(CreateShortcut(link, c.target, c.description, c.arguments, c.icon));

    const auto shortcut = driver::ReadShortcut(link);
    ASSERT_TRUE(shortcut.has_value()) << testing::PrintToString(link);
    EXPECT_EQ(shortcut->target, c.target);
    EXPECT_EQ(shortcut->description, c.description);
    EXPECT_EQ(shortcut->arguments, c.arguments);
    EXPECT_EQ(shortcut->workingFolder, c.workingFolder);
    EXPECT_EQ(shortcut->iconPath, c.icon);
    EXPECT_EQ(shortcut->iconIndex, 0);
  }
}

TEST(CreateShortcut, ReplacesAnExistingShortcut) {
  const std::wstring folder = FreshFolder(L"shortcuts-replace");
  WriteText(folder + L"old.exe", "MZ");
  WriteText(folder + L"new.exe", "MZ");
  const std::wstring link = folder + L"Program.lnk";
  ASSERT_TRUE(CreateShortcut(link, folder + L"old.exe", L"Old", L"old", folder + L"old.exe"));
  ASSERT_TRUE(CreateShortcut(link, folder + L"new.exe", L"New", L"", folder + L"new.exe"));
  const auto shortcut = driver::ReadShortcut(link);
  ASSERT_TRUE(shortcut.has_value());
  EXPECT_EQ(shortcut->target, folder + L"new.exe");
  EXPECT_EQ(shortcut->description, L"New");
  EXPECT_EQ(shortcut->arguments, L"");
}

TEST(CreateShortcut, AShortcutThatCannotBeSavedStillReportsTrue) {
  const std::wstring folder = FreshFolder(L"shortcuts-unsaved");
  WriteText(folder + L"Prog.exe", "MZ");
  const std::wstring link = folder + L"Missing Folder\\Program.lnk";
  EXPECT_TRUE(CreateShortcut(link, folder + L"Prog.exe", L"Program", L"", folder + L"Prog.exe"));
  EXPECT_FALSE(IsFile(link));
}

TEST(CreateShortcut, WorksOnAThreadInTheMultithreadedApartmentAndLeavesItThere) {
  const std::wstring folder = FreshFolder(L"shortcuts-thread");
  WriteText(folder + L"Prog.exe", "MZ");
  const std::wstring link = folder + L"Program.lnk";
  bool created = false;
  HRESULT stateAfter = E_FAIL;
  std::thread worker([&] {
    ASSERT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    created = CreateShortcut(link, folder + L"Prog.exe", L"Program", L"", folder + L"Prog.exe");
    // S_FALSE: COM is still initialised on this thread, in the same apartment.
    stateAfter = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    ::CoUninitialize();
    ::CoUninitialize();
  });
  worker.join();
  EXPECT_TRUE(created);
  EXPECT_EQ(stateAfter, S_FALSE);
  const auto shortcut = driver::ReadShortcut(link);
  ASSERT_TRUE(shortcut.has_value());
  EXPECT_EQ(shortcut->target, folder + L"Prog.exe");
}

}  // namespace
