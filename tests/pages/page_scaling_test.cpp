// Every window of the wizard at the screen's scale, with the sample's texts: the client area and
// the buttons grow with the DPI (1.5 times at 144 DPI, twice at 192), and no control's text needs
// more room than the control has, measured here with the control's own font. CTest runs this
// at 96 DPI with the other page tests and again at 144 and 192 DPI (SETUP_WINE_DPI).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

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
#include "winfx/application.h"
#include "winfx/dpi.h"

namespace {

constexpr double kTolerance = 0.07;

std::wstring TestFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::string Narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The room the control's text takes with the control's font, laid out as the control lays it
// out: wrapped at the control's width where it wraps, on one line otherwise.
SIZE TextExtent(HWND control, const std::wstring& text, bool wraps, bool prefix) {
  RECT client;
  ::GetClientRect(control, &client);
  HDC dc = ::GetDC(control);
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
  const HGDIOBJ old = ::SelectObject(dc, font);
  RECT needed{0, 0, client.right, 0};
  const UINT format = DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE) |
                      (prefix ? 0u : static_cast<UINT>(DT_NOPREFIX));
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, format);
  ::SelectObject(dc, old);
  ::ReleaseDC(control, dc);
  return {needed.right - needed.left, needed.bottom - needed.top};
}

std::vector<winfx::TForm*> EveryForm() {
  return {
      FPrepare,   FWelcome,          FEULA,   FAskInstall, FAskUpgradeAndRepair, FInstall,
      FUninstall, FUpgradeAndRepair, FFinish, FCancel,     FCancelConfirm,       FUninstallConfirm};
}

class PageScaling : public testing::TestWithParam<const wchar_t*> {
 protected:
  void SetUp() override {
    App.Info.TextSection = L"InstallWizard";
    App.Info.Language = GetParam();
    App.Info.LanguageCode = localisation::LanguageCodeFor(App.Info.Language);
    App.Info.Version = L"V1.0";
    ASSERT_EQ(App.Language.LoadTexts(TestFolder() + L"testdata\\", App.Info.LanguageCode,
                                     L"InstallWizard", L"Install"),
              TextLoadFailure::kNone);
    ASSERT_TRUE(App.Texts());
    App.Info.ProductName = App.GetText(L"InstallWizard", L"ProductName");
    winfx::Application.Initialize();
    CreateForms();
  }
  void TearDown() override { winfx::Application.DestroyForms(); }
};

TEST_P(PageScaling, ClientAreaAndButtonsGrowWithTheScale) {
  // The run asked for a scale (SETUP_WINE_DPI, which Wine passes on): it took.
  const char* asked = std::getenv("SETUP_WINE_DPI");
  const UINT expected = asked != nullptr ? static_cast<UINT>(std::atoi(asked)) : winfx::kDesignDpi;
  for (winfx::TForm* form : EveryForm()) {
    EXPECT_EQ(form->Dpi(), expected) << Narrow(form->Name);
    const double scale = form->Dpi() / 96.0;
    EXPECT_EQ(form->Dpi(), winfx::WindowDpi(form->Handle()));
    RECT client;
    ::GetClientRect(form->Handle(), &client);
    EXPECT_NEAR(client.right, form->Layout().clientWidth * scale,
                form->Layout().clientWidth * scale * kTolerance)
        << Narrow(form->Name);
    EXPECT_NEAR(client.bottom, form->Layout().clientHeight * scale,
                form->Layout().clientHeight * scale * kTolerance)
        << Narrow(form->Name);
    for (const auto& control : form->Components()) {
      if (control->ClassName != L"TButton") continue;
      RECT button;
      ::GetWindowRect(control->Handle, &button);
      const winfx::ControlLayout& row = control->Layout;
      EXPECT_NEAR(button.right - button.left, row.width * scale, row.width * scale * kTolerance)
          << Narrow(form->Name + L"." + control->Name);
      EXPECT_NEAR(button.bottom - button.top, row.height * scale, row.height * scale * kTolerance)
          << Narrow(form->Name + L"." + control->Name);
    }
  }
}

TEST_P(PageScaling, EveryTextFitsItsControl) {
  for (winfx::TForm* form : EveryForm()) {
    for (const auto& control : form->Components()) {
      const std::wstring& kind = control->ClassName;
      const bool button = kind == L"TButton";
      const bool box = kind == L"TCheckBox" || kind == L"TRadioButton";
      if (kind != L"TLabel" && !button && !box) continue;
      const std::wstring text = WindowText(control->Handle);
      if (text.empty()) continue;
      const unsigned options = control->Layout.options;
      const bool wraps = kind == L"TLabel" && (options & (winfx::kWordWrap | winfx::kCentered));
      const SIZE needed = TextExtent(control->Handle, text, wraps, !kind.starts_with(L"TLabel"));
      RECT client;
      ::GetClientRect(control->Handle, &client);
      // A push button keeps a margin for its edge and focus rectangle on both sides; a check box
      // or radio button gives its box and a gap the room of one line's height.
      int room = client.right;
      if (button) room -= 2 * winfx::Scaled(3, form->Dpi());
      if (box) room -= needed.cy + winfx::Scaled(4, form->Dpi());
      const std::string where = Narrow(form->Name + L"." + control->Name);
      EXPECT_LE(needed.cx, room) << where << " text width";
      EXPECT_LE(needed.cy, client.bottom) << where << " text height";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(SampleTexts, PageScaling,
                         testing::Values(L"English", L"German", L"Arabic", L"Persian"),
                         [](const auto& info) { return Narrow(info.param); });

}  // namespace
