// The installation worker where its input is incomplete: it ends and reports, and it never writes
// at the root of the machine's registry or copies into a folder named by an empty path.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

#include "install/file_deployment.h"
#include "install/install_context.h"
#include "install/install_thread.h"
#include "install/installation_record.h"
#include "tests/util/test_files.h"
#include "util/folder_operations.h"
#include "util/reg_key.h"

namespace {

using namespace std::chrono_literals;

// A window that only receives the worker's messages; the test reads them from its queue.
class MessageWindow {
 public:
  MessageWindow()
      : handle_(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                  nullptr)) {}
  ~MessageWindow() { ::DestroyWindow(handle_); }
  HWND Handle() const { return handle_; }

  bool Receives(const wchar_t* messageName, std::chrono::milliseconds timeout) const {
    const UINT message = ::RegisterWindowMessageW(messageName);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    MSG msg;
    while (std::chrono::steady_clock::now() < deadline) {
      if (::PeekMessageW(&msg, handle_, message, message, PM_REMOVE)) return true;
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_POSTMESSAGE);
    }
    return false;
  }

 private:
  HWND handle_;
};

class InstallGuardsTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = test_files::FreshFolder(L"install-guards");
    input_ = {};
    // The registry paths the program sets at start-up, without its workbook.
    input_.paths.RunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    input_.paths.PrivateKeyTemplate = L"Software\\%PUBLISHER\\%REG_FODLER_PROGNAME\\";
    input_.paths.UninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
    input_.paths.SetupIniPath = folder_ + L"Setup.ini";
    input_.settings.reset();
    input_.paths.InstallRootDir = folder_ + L"Product";
    input_.paths.ProgramDir = input_.paths.InstallRootDir + L"\\Program";
    input_.paths.UninstallerPath.clear();
    input_.facts.state = prepare::kRunStateInstall;
  }
  // Writes Setup.ini and reads it as start-up does.
  void WriteSettings(const std::string& lines) {
    test_files::WriteText(input_.paths.SetupIniPath, "[Setup]\r\n" + lines);
    input_.settings = SetupSettings::Read(input_.paths.SetupIniPath);
  }

  std::wstring folder_;
  InstallInput input_;
};

TEST_F(InstallGuardsTest, WithoutSetupIniTheWorkerReportsItsEndAtOnce) {
  MessageWindow page;
  TInstallThread worker(page.Handle(), input_);
  worker.Start();
  EXPECT_TRUE(page.Receives(L"INSTALL_THREAD_FINISHED", 30s));
  EXPECT_FALSE(test_files::IsFolder(input_.paths.InstallRootDir)) << "nothing is installed";
}

TEST_F(InstallGuardsTest, ASetupIniChangedAfterTheStartChecksIsNotRead) {
  WriteSettings(
      "%PROGRAM_FILES=Guarded\r\n%PUBLISHER=Kestra\r\n%REG_FODLER_PROGNAME=KestraOCR\r\n");
  test_files::WriteText(input_.paths.SetupIniPath,
                        "[Setup]\r\n%PROGRAM_FILES=Guarded\r\n%UPDATER_DIR=..\\Escaped\r\n");
  TInstallThread worker(nullptr, input_);
  std::optional<InstallContext> context = worker.NewContext();
  ASSERT_TRUE(context.has_value());
  EXPECT_EQ(context->Setting(L"%REG_FODLER_PROGNAME"), L"KestraOCR");
  EXPECT_EQ(context->Setting(L"%UPDATER_DIR"), L"");
}

TEST_F(InstallGuardsTest, AnotherRunStateInstallsNothing) {
  WriteSettings(
      "%PROGRAM_FILES=Guarded\r\n%PUBLISHER=Kestra\r\n%REG_FODLER_PROGNAME=KestraOCR\r\n");
  input_.facts.state = prepare::kRunStateReplace;
  MessageWindow page;
  TInstallThread worker(page.Handle(), input_);
  worker.Start();
  EXPECT_TRUE(page.Receives(L"INSTALL_THREAD_FINISHED", 30s));
  EXPECT_FALSE(test_files::IsFolder(input_.paths.InstallRootDir));
  win::RegKey key;
  EXPECT_FALSE(key.Open(HKEY_LOCAL_MACHINE, input_.paths.UninstallKey + L"KestraOCR", KEY_READ));
}

TEST_F(InstallGuardsTest, AnEmptyPrivateKeyPathWritesNothingAtTheRoot) {
  for (const char* settings : {"%REG_FODLER_PROGNAME=KestraOCR\r\n%PROGRAM_FILES=Guarded\r\n",
                               "%PUBLISHER=Kestra\r\n%PROGRAM_FILES=Guarded\r\n"}) {
    SCOPED_TRACE(settings);
    WriteSettings(settings);
    TInstallThread worker(nullptr, input_);
    std::optional<InstallContext> context = worker.NewContext();
    ASSERT_TRUE(context.has_value());
    WriteRegOnPrivateFolder(*context);
    EXPECT_TRUE(context->recordList.empty()) << "no record section";
    win::RegKey root;
    ASSERT_TRUE(root.Open(HKEY_LOCAL_MACHINE, L"", KEY_READ));
    for (const wchar_t* value : {L"UninstOnAppDataDir", L"Product", L"InstallDir"}) {
      EXPECT_FALSE(root.ReadString(value).has_value());
    }
  }
}

TEST_F(InstallGuardsTest, AnEmptyBackupPathCopiesNothingIntoTheCurrentFolder) {
  WriteSettings(
      "%PROGRAM_FILES=Guarded\r\n%PUBLISHER=Kestra\r\n%REG_FODLER_PROGNAME=KestraOCR\r\n");
  const std::wstring current = folder_ + L"current";
  test_files::MakeFolders(current);
  ASSERT_TRUE(::SetCurrentDirectoryW(current.c_str()));
  TInstallThread worker(nullptr, input_);
  std::optional<InstallContext> context = worker.NewContext();
  ASSERT_TRUE(context.has_value());
  CopySetupToBackup(*context);
  SecureBackupFolder(*context);
  ::SetCurrentDirectoryW(L"C:\\");
  EXPECT_TRUE(test_files::IsFolder(current));
  EXPECT_EQ(CountFolderEntries(current, L""), 0);
  EXPECT_FALSE(test_files::IsFile(L"\\install_tests.exe")) << "nor into the drive's root";
}

}  // namespace
