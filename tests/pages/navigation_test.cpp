// Moving between the wizard pages as the user clicks, with the licence rule read from Setup.ini.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/app.h"
#include "main/create_forms.h"
#include "pages/ask_install_page.h"
#include "pages/cancelled_page.h"
#include "pages/eula_page.h"
#include "pages/finish_page.h"
#include "pages/uninstall_confirm_dialog.h"
#include "pages/uninstall_page.h"
#include "pages/welcome_page.h"
#include "prepare/prepare_form.h"
#include "tests/pages/built_pages.h"
#include "winfx/application.h"

namespace {

using winfx::TForm;

void WriteSettings(const std::wstring& path, const char* content) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(file, content, static_cast<DWORD>(strlen(content)), &written, nullptr);
  ::CloseHandle(file);
}

// Presses a button through its window, as a click does.
void Press(TForm& page, const wchar_t* button) {
  ::SendMessageW(page.Control(button).Handle, BM_CLICK, 0, 0);
}

class PagesTest : public testing::Test {
 protected:
  void SetUp() override {
    ::CreateDirectoryW(L"C:\\pages-test", nullptr);
    ::DeleteFileW(L"C:\\pages-test\\Setup.ini");
    testing_support::BuildPages(L"C:\\pages-test\\Setup.ini");
  }
  void TearDown() override { winfx::Application.DestroyForms(); }

  static bool OnlyShown(const TForm& page) {
    for (TForm* form : std::initializer_list<TForm*>{FWelcome, FEULA, FAskInstall, FCancel, FFinish,
                                                     FUninstall, FUninstallConfirm}) {
      if (form->Visible() != (form == &page)) return false;
    }
    return true;
  }
};

struct LicenceCase {
  const char* settings;  // nullptr: no Setup.ini
  bool licenceShown;
};

class LicenceRuleTest : public PagesTest, public testing::WithParamInterface<LicenceCase> {};

TEST_P(LicenceRuleTest, WelcomeNextAndReadyPreviousFollowThePublisher) {
  if (GetParam().settings != nullptr) WriteSettings(App.Paths.SetupIniPath, GetParam().settings);
  const TForm& licenceOrWelcome = GetParam().licenceShown ? static_cast<TForm&>(*FEULA) : *FWelcome;

  FWelcome->Show();
  Press(*FWelcome, L"bt_Next");
  EXPECT_TRUE(OnlyShown(GetParam().licenceShown ? static_cast<TForm&>(*FEULA) : *FAskInstall));
  if (GetParam().licenceShown) {
    Press(*FEULA, L"rb_AgreeEULA");
    Press(*FEULA, L"bt_Next");
  }
  ASSERT_TRUE(OnlyShown(*FAskInstall));
  Press(*FAskInstall, L"bt_Previous");
  EXPECT_TRUE(OnlyShown(licenceOrWelcome));
}

INSTANTIATE_TEST_SUITE_P(
    Publishers, LicenceRuleTest,
    testing::Values(LicenceCase{"[Setup]\r\n%PUBLISHER=OEM\r\n", false},
                    LicenceCase{"[Setup]\r\n%PROGRAM_FILES=Kestra\r\n", false},  // absent: OEM
                    LicenceCase{"[Setup]\r\n%PUBLISHER=oem\r\n", true},
                    LicenceCase{"[Setup]\r\n%PUBLISHER=Kestra Software\r\n", true},
                    LicenceCase{"[Setup]\r\n%PUBLISHER=\r\n", true}, LicenceCase{nullptr, true}));

TEST_F(PagesTest, LicenceNextNeedsAgreementAndTheChoiceSurvivesLeavingThePage) {
  EXPECT_TRUE(FEULA->Control(L"rb_DisapproveOfEULA").Checked());
  EXPECT_FALSE(FEULA->Control(L"bt_Next").Enabled());
  FEULA->Show();
  Press(*FEULA, L"rb_AgreeEULA");
  EXPECT_TRUE(FEULA->Control(L"bt_Next").Enabled());
  Press(*FEULA, L"rb_DisapproveOfEULA");
  EXPECT_FALSE(FEULA->Control(L"bt_Next").Enabled());
  Press(*FEULA, L"rb_AgreeEULA");
  Press(*FEULA, L"bt_Previous");
  ASSERT_TRUE(OnlyShown(*FWelcome));
  WriteSettings(App.Paths.SetupIniPath, "[Setup]\r\n%PUBLISHER=Kestra\r\n");
  Press(*FWelcome, L"bt_Next");
  ASSERT_TRUE(OnlyShown(*FEULA));
  EXPECT_TRUE(FEULA->Control(L"rb_AgreeEULA").Checked());
  EXPECT_TRUE(FEULA->Control(L"bt_Next").Enabled());
}

TEST_F(PagesTest, CancelButtonsLeadToTheCancelledPage) {
  for (TForm* page :
       std::initializer_list<TForm*>{FWelcome, FEULA, FAskInstall, FUninstallConfirm}) {
    page->Show();
    Press(*page, L"bt_Cancel");
    EXPECT_TRUE(OnlyShown(*FCancel)) << std::string(page->Name.begin(), page->Name.end());
    FCancel->Hide();
  }
}

TEST_F(PagesTest, CloseBoxOfAWizardPageClosesTheMainWindow) {
  FWelcome->Show();
  FWelcome->Close();
  EXPECT_FALSE(::IsWindow(FPrepare->Handle())) << "the preparation window is closed";
  EXPECT_TRUE(winfx::Application.Terminated());
}

TEST_F(PagesTest, UninstallConfirmationOkShowsTheUninstallPage) {
  FUninstallConfirm->Show();
  Press(*FUninstallConfirm, L"bt_OK");
  EXPECT_TRUE(OnlyShown(*FUninstall));
}

// A key as the keyboard delivers it: to the focused control, through the dialog manager; true
// once `next` is shown (within 5 s).
bool KeyShows(TForm& page, UINT key, const TForm& next) {
  HWND focus = ::GetFocus();
  if (focus == nullptr || !::IsChild(page.Handle(), focus)) focus = page.Handle();
  ::PostMessageW(focus, WM_KEYDOWN, key, 1);
  const ULONGLONG deadline = ::GetTickCount64() + 5000;
  while (!next.Visible() && ::GetTickCount64() < deadline) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG message;
    // Stops at once: a page shown may move on by itself (the uninstall page's worker ends).
    while (!next.Visible() && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
      if (root != nullptr && ::IsDialogMessageW(root, &message)) continue;
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  return next.Visible();
}

TEST_F(PagesTest, UninstallConfirmationAnswersToEnterAndEsc) {
  FUninstallConfirm->Show();
  EXPECT_TRUE(KeyShows(*FUninstallConfirm, VK_ESCAPE, *FCancel)) << "Esc is its Cancel";
  FCancel->Hide();
  FUninstallConfirm->Show();
  EXPECT_TRUE(KeyShows(*FUninstallConfirm, VK_RETURN, *FUninstall)) << "Enter is its OK";
}

TEST_F(PagesTest, TitleBandWithoutPictureShowsTheTitleOnAWhiteStrip) {
  const HWND title = FAskInstall->Control(L"lb_Title").Handle;
  EXPECT_TRUE(::GetWindowLongPtrW(title, GWL_STYLE) & WS_VISIBLE);
  RECT rect;
  ::GetWindowRect(title, &rect);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(title), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 30);
  EXPECT_EQ(rect.top, 26);
  EXPECT_FALSE(FAskInstall->HasPicture(L"im_Title"));
}

TEST_F(PagesTest, PagesCarryTheProductNameAsTitleAndTheVersionLabel) {
  EXPECT_EQ(FWelcome->Caption(), L"Kestra Capture");
  EXPECT_EQ(FEULA->Caption(), L"Kestra Capture");
  EXPECT_EQ(FWelcome->Control(L"lb_Version").Caption(), App.Info.Version);
}

}  // namespace
