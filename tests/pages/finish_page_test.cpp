// The finish page: the labels of the job that ended, the start option after an installation and
// the empty marker file in the program folder.
#include "pages/finish_page.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/app.h"
#include "main/create_forms.h"
#include "pages/wizard_run.h"
#include "prepare/prepare_form.h"
#include "winfx/application.h"

namespace {

const std::wstring kFolder = L"C:\\finish-test";
const std::wstring kMarker = kFolder + L"\\Installed.log";
const std::wstring kProgram = kFolder + L"\\Kestra.exe";

void WriteFile(const std::wstring& path, const std::string& content) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  ::CloseHandle(file);
}

LONGLONG FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

struct FinishCase {
  const char* name;
  prepare::RunMode mode;
  const char* startSetting;  // nullptr: no Setup.ini
  bool startShown;
  bool startChecked;
  const wchar_t* headline;
};

class FinishPageTest : public testing::TestWithParam<FinishCase> {
 protected:
  void SetUp() override {
    ::CreateDirectoryW(kFolder.c_str(), nullptr);
    ::DeleteFileW(kMarker.c_str());
    App.Paths.SetupIniPath = kFolder + L"\\Setup.ini";
    ::DeleteFileW(App.Paths.SetupIniPath.c_str());
    App.Settings.reset();
    App.Paths.ProgramDir = kFolder;
    App.Paths.ProgramExePath = kProgram;
    WriteFile(kProgram, "MZ");
    App.Info.TextSection = L"InstallWizard";
    winfx::Application.Initialize();
    CreateForms();
    FPrepare->OnShow = nullptr;
  }
  void TearDown() override { winfx::Application.DestroyForms(); }
};

TEST_P(FinishPageTest, ShowsTheJobsLabelsAndPreparesTheStartOption) {
  const FinishCase& c = GetParam();
  if (c.startSetting != nullptr) {
    WriteFile(App.Paths.SetupIniPath, std::string("[Setup]\r\n") + c.startSetting + "\r\n");
    // Read once, as start-up reads it; the page uses those values, not the file.
    App.Settings = SetupSettings::Read(App.Paths.SetupIniPath);
    WriteFile(App.Paths.SetupIniPath, "[Setup]\r\n%Exe_AfterInstall=1\r\n");
  }
  WriteFile(kMarker, "left over from before");
  pages::HandOverRun({c.mode, {}});
  FFinish->Show();

  EXPECT_EQ(FFinish->Control(L"ck_StartProgram").Visible(), c.startShown);
  EXPECT_EQ(FFinish->Control(L"ck_StartProgram").Checked(), c.startChecked);
  for (const wchar_t* headline :
       {L"lb_Finish_Install", L"lb_Finish_Uninstall", L"lb_Finish_Upgrade"}) {
    EXPECT_EQ(FFinish->Control(headline).Visible(), std::wstring(headline) == c.headline)
        << testing::PrintToString(std::wstring(headline));
  }
  const bool install = c.mode == prepare::RunMode::kInstall;
  EXPECT_EQ(FileSize(kMarker), install ? 0 : 21)
      << "the marker is made empty after an installation only";
}

// The program's file did not arrive: starting it is not offered, whatever Setup.ini says.
TEST_F(FinishPageTest, AProgramThatIsNotThereIsNotOfferedToStart) {
  WriteFile(App.Paths.SetupIniPath, "[Setup]\r\n%Exe_AfterInstall=1\r\n");
  ::DeleteFileW(kProgram.c_str());
  pages::HandOverRun({prepare::RunMode::kInstall, {}});
  FFinish->Show();

  EXPECT_FALSE(FFinish->Control(L"ck_StartProgram").Visible());
  EXPECT_FALSE(FFinish->Control(L"ck_StartProgram").Checked());
  EXPECT_EQ(FileSize(kMarker), 0) << "the marker is made as after every installation";
}

INSTANTIATE_TEST_SUITE_P(
    Modes, FinishPageTest,
    testing::Values(FinishCase{"InstallStartTicked", prepare::RunMode::kInstall,
                               "%Exe_AfterInstall=1", true, true, L"lb_Finish_Install"},
                    FinishCase{"InstallZero", prepare::RunMode::kInstall, "%Exe_AfterInstall=0",
                               true, false, L"lb_Finish_Install"},
                    FinishCase{"InstallTrue", prepare::RunMode::kInstall, "%Exe_AfterInstall=true",
                               true, false, L"lb_Finish_Install"},
                    FinishCase{"InstallAbsent", prepare::RunMode::kInstall,
                               "%PROGRAM_EXEC=Kestra.exe", true, false, L"lb_Finish_Install"},
                    FinishCase{"Uninstall", prepare::RunMode::kUninstall, "%Exe_AfterInstall=1",
                               false, false, L"lb_Finish_Uninstall"},
                    FinishCase{"UninstallAnyway", prepare::RunMode::kUninstallAnyway,
                               "%Exe_AfterInstall=1", false, false, L"lb_Finish_Uninstall"},
                    FinishCase{"Upgrade", prepare::RunMode::kUpgrade, "%Exe_AfterInstall=1", false,
                               false, L"lb_Finish_Upgrade"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
