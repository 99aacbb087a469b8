// Emptying the product folder: every file at every depth is shown and counted and goes, the
// user's scripts and macros and the program folder stay, and a folder that is not a product
// folder of its own is never walked.
#include "uninstall/install_tree_removal.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/util/test_files.h"

namespace {

class RecordingSinks : public StatusSink, public ProgressSink {
 public:
  void ShowStatus(const std::wstring& text) override { shown.push_back(text); }
  int Position() const override { return position; }
  void SetPosition(int value) override { position = value; }

  std::vector<std::wstring> shown;
  int position = 80;
};

// Stops a walk before its first deletion: a guard that fails costs no file.
class TrippingSinks : public StatusSink, public ProgressSink {
 public:
  void ShowStatus(const std::wstring& text) override {
    throw std::runtime_error("walked into " + std::string(text.begin(), text.end()));
  }
  int Position() const override { return 0; }
  void SetPosition(int) override {}
};

TEST(DeleteInstallTree, KeepsScriptsMacrosAndTheProgramFolder) {
  const std::wstring product = test_files::FreshFolder(L"KestraTree");
  const std::wstring program = product + L"KestraTree\\";
  const std::vector<std::wstring> payload = {
      product + L"top.txt",
      program + L"Kestra.exe",
      program + L"Data\\Deep\\deep.bin",
      product + L"KestraOld\\Legacy.dll",
      product + L"Updater\\Updater.exe",
  };
  for (const auto& file : payload) test_files::WriteText(file, "payload");
  test_files::WriteText(program + L"ScriptsMacros\\user.vbs", "user script");
  test_files::WriteText(program + L"ScriptsMacros\\Nested\\macro.txt", "user macro");
  test_files::WriteText(product + L"Updater\\ScriptsMacros\\kept.txt", "kept too");
  const std::wstring outside = test_files::FreshFolder(L"KestraTreeOutside");
  test_files::WriteText(outside + L"victim.txt", "outside");
  ASSERT_TRUE(test_files::PlantLink(program + L"planted", outside));

  RecordingSinks sinks;
  DeleteInstallTree(product, sinks, sinks);
  EXPECT_EQ(test_files::ReadText(outside + L"victim.txt"), "outside") << "the link is not walked";

  for (const auto& file : payload) EXPECT_FALSE(test_files::IsFile(file)) << file.size();
  EXPECT_EQ(test_files::ReadText(program + L"ScriptsMacros\\user.vbs"), "user script");
  EXPECT_EQ(test_files::ReadText(program + L"ScriptsMacros\\Nested\\macro.txt"), "user macro");
  EXPECT_EQ(test_files::ReadText(product + L"Updater\\ScriptsMacros\\kept.txt"), "kept too");
  EXPECT_TRUE(test_files::IsFolder(product));
  EXPECT_TRUE(test_files::IsFolder(program)) << "the program folder is emptied but kept";
  EXPECT_FALSE(test_files::IsFolder(program + L"Data"));
  EXPECT_FALSE(test_files::IsFolder(product + L"KestraOld"));
  EXPECT_TRUE(test_files::IsFolder(product + L"Updater")) << "it still holds kept files";

  // Every deleted file was shown by its full path and stepped the bar on from 80.
  ASSERT_EQ(sinks.shown.size(), payload.size());
  for (const auto& file : payload) {
    EXPECT_NE(std::find(sinks.shown.begin(), sinks.shown.end(), file), sinks.shown.end());
  }
  EXPECT_EQ(sinks.position, 85);
}

TEST(DeleteInstallTree, ProgramFolderOfTheSameNameIsKeptAtEveryDepth) {
  const std::wstring product = test_files::FreshFolder(L"KestraSame");
  test_files::WriteText(product + L"Other\\KestraSame\\x.txt", "x");
  RecordingSinks sinks;
  DeleteInstallTree(product + L"\\", sinks, sinks);
  EXPECT_FALSE(test_files::IsFile(product + L"Other\\KestraSame\\x.txt"));
  EXPECT_TRUE(test_files::IsFolder(product + L"Other\\KestraSame"));
}

TEST(DeleteInstallTree, BarWrapsFromHundredToOne) {
  const std::wstring product = test_files::FreshFolder(L"KestraWrap");
  for (int i = 0; i < 22; ++i) test_files::WriteText(product + std::to_wstring(i) + L".txt", "x");
  RecordingSinks sinks;
  DeleteInstallTree(product, sinks, sinks);
  EXPECT_EQ(sinks.position, 2);  // 81 ... 100, then 1, 2
}

TEST(DeleteInstallTree, FoldersThatAreNotAProductFolderAreNeverWalked) {
  const std::wstring programFiles = test_files::SpecialFolder(CSIDL_PROGRAM_FILES);
  test_files::WriteText(programFiles + L"\\KestraCanary\\canary.txt", "canary");
  test_files::WriteText(L"C:\\kestra-canary.txt", "canary");
  const std::wstring cases[] = {
      L"",
      L"C:",
      L"C:\\",
      programFiles,
      programFiles + L"\\",
      programFiles + L"\\KestraCanary\\..",
      test_files::SpecialFolder(CSIDL_WINDOWS),
      test_files::SpecialFolder(CSIDL_COMMON_APPDATA),
      L"KestraCanary",
  };
  for (const auto& installDir : cases) {
    ::SetCurrentDirectoryW(programFiles.c_str());
    TrippingSinks sinks;
    EXPECT_NO_THROW(DeleteInstallTree(installDir, sinks, sinks))
        << testing::PrintToString(installDir);
  }
  ::SetCurrentDirectoryW(L"C:\\");
  EXPECT_EQ(test_files::ReadText(programFiles + L"\\KestraCanary\\canary.txt"), "canary");
  EXPECT_EQ(test_files::ReadText(L"C:\\kestra-canary.txt"), "canary");
}

}  // namespace
