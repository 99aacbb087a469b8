// Pictures of every page with the sample texts, written as PNG files under
// build/win/screenshots so that a person can look at them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/app.h"
#include "core/language/language_table.h"
#include "main/create_forms.h"
#include "pages/ask_install_page.h"
#include "pages/ask_upgrade_page.h"
#include "pages/cancel_confirm_dialog.h"
#include "pages/cancelled_page.h"
#include "pages/eula_page.h"
#include "pages/finish_page.h"
#include "pages/install_page.h"
#include "pages/uninstall_confirm_dialog.h"
#include "pages/uninstall_page.h"
#include "pages/upgrade_page.h"
#include "pages/welcome_page.h"
#include "prepare/prepare_form.h"
#include "tools/demo/window_picture.h"
#include "winfx/application.h"

namespace {

std::wstring TestFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

void PumpMessages() {
  MSG message;
  for (int round = 0; round < 20; ++round) {
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

TEST(PageScreenshots, EveryPageIsDrawnWithTheSampleTexts) {
  const demo::PictureWriter pictures;
  App.Info.TextSection = L"InstallWizard";
  App.Info.Language = L"English";
  App.Info.LanguageCode = localisation::LanguageCodeFor(App.Info.Language);
  App.Info.Version = L"V1.0";
  ASSERT_EQ(App.Language.LoadTexts(TestFolder() + L"testdata\\", App.Info.LanguageCode,
                                   L"InstallWizard", L"Install"),
            TextLoadFailure::kNone);
  ASSERT_TRUE(App.Texts());
  App.Info.ProductName = App.GetText(L"InstallWizard", L"ProductName");
  winfx::Application.Initialize();
  CreateForms();
  FPrepare->OnShow = nullptr;  // the pictures, not the start checks

  const std::wstring folder = TestFolder() + L"screenshots\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  for (winfx::TForm* page : std::initializer_list<winfx::TForm*>{
           FPrepare, FWelcome, FEULA, FAskInstall, FAskUpgradeAndRepair, FInstall, FUninstall,
           FUpgradeAndRepair, FFinish, FCancel, FCancelConfirm, FUninstallConfirm}) {
    page->Show();
    PumpMessages();
    const std::wstring path = folder + page->Name + L".png";
    EXPECT_TRUE(pictures.SaveClientArea(page->Handle(), path))
        << std::string(page->Name.begin(), page->Name.end());
    page->Hide();
  }
  winfx::Application.DestroyForms();
}

}  // namespace
