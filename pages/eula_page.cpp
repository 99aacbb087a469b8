#include "pages/eula_page.h"

#include <commdlg.h>
#include <richedit.h>

#include "app/app.h"
#include "core/language/licence_folder.h"
#include "core/language/text_direction.h"
#include "pages/ask_install_page.h"
#include "pages/cancelled_page.h"
#include "pages/navigation.h"
#include "pages/page_frame.h"
#include "pages/rich_text.h"
#include "pages/welcome_page.h"
#include "util/file_bytes.h"
#include "util/scoped_handle.h"
#include "util/system_libraries.h"
#include "winfx/application.h"

TFEULA* FEULA = nullptr;

namespace {

using namespace winfx;

constexpr int kWidth = 554;
constexpr int kHeight = 368;
constexpr FormLayout kForm{L"FEULA", L"TFEULA", kWidth, kHeight, BorderStyle::kDialog};
constexpr COLORREF kVersionColour = RGB(28, 70, 96);
constexpr wchar_t kPrintJobTitle[] = L"EULA Of Kestra";

constexpr ControlLayout kControls[] = {
    // Tahoma with the Chinese Big5 character set, whatever the language.
    {L"re_EULA", L"TRichEdit", L"p_Client", 14, 7, 524, 196, kReadOnly | kScrollBars, 0,
     CLR_INVALID, nullptr, CHINESEBIG5_CHARSET},
    {L"rb_AgreeEULA", L"TRadioButton", L"p_Client", 14, 210, 443, 17},
    {L"rb_DisapproveOfEULA", L"TRadioButton", L"p_Client", 14, 232, 443, 17},
    {L"bt_PrintEULA", L"TButton", L"p_Client", 463, 211, 75, 25},
    {L"lb_Version", L"TLabel", L"p_Bottom", 10, 35, 33, 13, kNoOptions, -8, kVersionColour},
    {L"bt_Previous", L"TButton", L"p_Bottom", 297, 12, 75, 25},
    {L"bt_Next", L"TButton", L"p_Bottom", 378, 12, 79, 25, kDefault},
    {L"bt_Cancel", L"TButton", L"p_Bottom", 463, 12, 75, 25, kCancel},
};

// The print dialog's library is loaded when the licence is first printed, not at every start.
bool ShowPrintDialog(PRINTDLGW& dialog) {
  using PrintDialogFunction = BOOL(WINAPI*)(PRINTDLGW*);
  static const auto printDialog = reinterpret_cast<PrintDialogFunction>(
      reinterpret_cast<void*>(::GetProcAddress(LoadSystemLibrary(L"comdlg32.dll"), "PrintDlgW")));
  return printDialog != nullptr && printDialog(&dialog) != FALSE;
}

}  // namespace

std::wstring PickLanguageFile(const std::wstring& base, const std::wstring& fallback,
                              const std::wstring& preferred, const std::wstring& fileName) {
  const std::wstring own = base + preferred + L"\\" + fileName;
  if (FileExists(own)) return own;
  const std::wstring other = base + fallback + L"\\" + fileName;
  return FileExists(other) ? other : std::wstring();
}

TFEULA::TFEULA()
    : TForm(kForm, pages::PageLayout(pages::Frame::kTitleBand, kWidth, kHeight, kControls)) {
  pages::BuildPage(*this, pages::Frame::kTitleBand, {L"TRadioButton", L"TButton"}, {});
  Control(L"lb_Version").SetCaption(App.Info.Version);
  // The rich edit, its library and the licence text cost the start nothing: they wait until the
  // page is first shown.
  OnFirstShow = [this] { LoadLicence(); };
  Control(L"rb_AgreeEULA").OnClick = [this] { rb_AgreeEULAClick(); };
  Control(L"rb_DisapproveOfEULA").OnClick = [this] { rb_AgreeEULAClick(); };
  Control(L"bt_PrintEULA").OnClick = [this] { bt_PrintEULAClick(); };
  Control(L"bt_Previous").OnClick = [this] { bt_PreviousClick(); };
  Control(L"bt_Next").OnClick = [this] { bt_NextClick(); };
  Control(L"bt_Cancel").OnClick = [this] { bt_CancelClick(); };
  OnCloseQuery = [] {
    pages::CloseMainWindow();
    return false;
  };
  Control(L"rb_DisapproveOfEULA").SetChecked(true);
  rb_AgreeEULAClick();
}

void TFEULA::LoadLicence() {
  const std::wstring code = localisation::EulaLanguageCode(App.Info.Language);
  const std::wstring path =
      PickLanguageFile(ExecutableFolder() + L"EULA\\", localisation::EulaLanguageCode(L"English"),
                       code, L"Service.rtf");
  HWND editor = Control(L"re_EULA").Handle;
  ::SetWindowTextW(editor, L"");
  if (path.empty()) return;
  if (const auto bytes = ReadFileBytes(path)) pages::LoadRichText(editor, *bytes);
  // Arabic and Persian have no licence folder of their own: the English text that stands in for
  // theirs keeps reading left to right.
  if (winfx::Application.RightToLeft) {
    pages::SetReadingDirection(editor,
                               localisation::ReadsRightToLeft(Control(L"re_EULA").Caption()));
  }
}

void TFEULA::rb_AgreeEULAClick() {
  if (Control(L"rb_DisapproveOfEULA").Checked()) {
    Control(L"bt_Next").SetEnabled(false);
  } else if (Control(L"rb_AgreeEULA").Checked()) {
    Control(L"bt_Next").SetEnabled(true);
  }
}

void TFEULA::bt_PrintEULAClick() {
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = Handle();
  dialog.Flags = PD_RETURNDC | PD_ALLPAGES | PD_NOPAGENUMS | PD_NOSELECTION;
  const bool chosen = ShowPrintDialog(dialog);
  // Whatever the dialog handed back is ours to free, chosen or not.
  const win::ScopedCreatedDC printer(dialog.hDC);
  const win::ScopedGlobalMemory devMode(dialog.hDevMode);
  const win::ScopedGlobalMemory devNames(dialog.hDevNames);
  // Cancel, or no printer: nothing is printed and the page stays as it is.
  if (chosen && printer.IsValid()) {
    pages::PrintRichText(Control(L"re_EULA").Handle, printer.Get(), kPrintJobTitle);
  }
}

void TFEULA::bt_PreviousClick() {
  pages::GoToPage(*this, *FWelcome);
}
void TFEULA::bt_NextClick() {
  pages::GoToPage(*this, *FAskInstall);
}
void TFEULA::bt_CancelClick() {
  pages::GoToPage(*this, *FCancel);
}
