#include "pages/finish_page.h"

#include <optional>

#include "app/app.h"
#include "core/text/text_escapes.h"
#include "pages/navigation.h"
#include "pages/page_frame.h"
#include "pages/wizard_run.h"
#include "util/file_bytes.h"
#include "util/files_left_out.h"
#include "util/link_safe_files.h"
#include "util/setup_log.h"
#include "util/shell_start.h"
#include "util/windows_version.h"

TFFinish* FFinish = nullptr;

namespace {

using namespace winfx;

constexpr int kWidth = 554;
constexpr int kHeight = 368;
constexpr FormLayout kForm{L"FFinish", L"TFFinish", kWidth, kHeight, BorderStyle::kDialog};

constexpr ControlLayout kControls[] = {
    {L"lb_Finish_Install", L"TLabel", L"p_Client", 28, 48, 313, 33, kBold | kWordWrap},
    {L"lb_FinishInstallNotes", L"TLabel", L"p_Client", 28, 87, 313, 65, kWordWrap},
    {L"lb_Finish_Uninstall", L"TLabel", L"p_Client", 28, 48, 313, 33, kBold | kWordWrap | kHidden},
    {L"lb_FinishUninstallNotes", L"TLabel", L"p_Client", 28, 87, 313, 65, kWordWrap | kHidden},
    {L"lb_Finish_Upgrade", L"TLabel", L"p_Client", 28, 48, 313, 33, kBold | kWordWrap | kHidden},
    {L"lb_FinishUpgradeNotes", L"TLabel", L"p_Client", 28, 87, 313, 65, kWordWrap | kHidden},
    {L"ck_StartProgram", L"TCheckBox", L"p_Client", 40, 192, 321, 17},
    {L"bt_Finish", L"TButton", L"p_Bottom", 443, 14, 79, 25, kDefault},
};

using prepare::RunMode;

struct ModeLabels {
  RunMode mode;
  const wchar_t* headline;
  const wchar_t* notes;
};

constexpr ModeLabels kModeLabels[] = {
    {RunMode::kInstall, L"lb_Finish_Install", L"lb_FinishInstallNotes"},
    {RunMode::kUninstall, L"lb_Finish_Uninstall", L"lb_FinishUninstallNotes"},
    {RunMode::kUninstallAnyway, L"lb_Finish_Uninstall", L"lb_FinishUninstallNotes"},
    {RunMode::kUpgrade, L"lb_Finish_Upgrade", L"lb_FinishUpgradeNotes"},
};

}  // namespace

TFFinish::TFFinish()
    : TForm(kForm, pages::PageLayout(pages::Frame::kSideImage, kWidth, kHeight, kControls)) {
  pages::BuildPage(*this, pages::Frame::kSideImage, {L"TLabel", L"TButton", L"TCheckBox"},
                   {L"lb_FinishInstallNotes", L"lb_FinishUninstallNotes", L"lb_FinishUpgradeNotes",
                    L"ck_StartProgram"});
  OnShow = [this] { FormShow(); };
  Control(L"bt_Finish").OnClick = [this] { bt_FinishClick(); };
  OnCloseQuery = [] {
    pages::CloseMainWindow();
    return false;
  };
}

void TFFinish::FormShow() {
  const std::optional<RunMode> mode = pages::CurrentRun().Mode;
  const ModeLabels* shown = nullptr;
  for (const ModeLabels& labels : kModeLabels) {
    if (mode == labels.mode) shown = &labels;
  }
  if (shown == nullptr) return;
  for (const ModeLabels& labels : kModeLabels) {
    const bool visible = labels.headline == shown->headline;
    Control(labels.headline).SetVisible(visible);
    Control(labels.notes).SetVisible(visible);
  }
  if (pages::WorkIncomplete() && (mode == RunMode::kInstall || mode == RunMode::kUpgrade)) {
    ShowIncomplete(shown->headline, shown->notes, *mode);
  }
  // A program whose file did not arrive is not offered to be started.
  const bool startable = mode == RunMode::kInstall && FileExists(App.Paths.ProgramExePath) &&
                         !WasLeftOut(App.Paths.ProgramExePath);
  Control(L"ck_StartProgram").SetVisible(startable);
  if (!startable) Control(L"ck_StartProgram").SetChecked(false);
  if (mode != RunMode::kInstall) return;

  // The settings the start checked, as the installation used them.
  if (App.Settings) {
    if (startable)
      Control(L"ck_StartProgram").SetChecked(App.Setting(L"%Exe_AfterInstall") == L"1");
  }
  CreateInstallationMarker();
}

void TFFinish::ShowIncomplete(const wchar_t* headline, const wchar_t* notes,
                              prepare::RunMode mode) {
  const auto text = [](const wchar_t* identifier) {
    return localisation::InsertProductName(App.TextOrBuiltIn(L"InstallWizard", identifier),
                                           App.Info.ProductName);
  };
  Control(headline).SetCaption(
      text(mode == RunMode::kInstall ? L"FinishIncomplete_Install" : L"FinishIncomplete_Upgrade"));
  std::wstring lines = text(L"FinishIncompleteNotes");
  constexpr std::size_t kNamed = 3;  // the page has room for these; the log names every one
  const std::vector<std::wstring> files = FirstFilesLeftOut(kNamed);
  for (const std::wstring& path : files) lines += L"\r\n" + path.substr(path.rfind(L'\\') + 1);
  if (FilesLeftOutCount() > files.size()) lines += L"\r\n...";
  Control(notes).SetCaption(lines);
}

void CreateInstallationMarker() {
  const std::wstring marker = App.Paths.ProgramDir + L"\\Installed.log";
  // The program folder is open to everybody: a link on the way is refused, and a hard link
  // planted under the marker's name is replaced, not written through.
  if (PassesThroughLink(marker, App.Paths.InstallRootDir)) {
    LogLine(L"guard: not created, a link in the path: " + marker);
    return;
  }
  LogFileOperation(L"created", marker, WriteFileBytes(marker, {}));
}

void TFFinish::bt_FinishClick() {
  if (Control(L"ck_StartProgram").Checked() && pages::CurrentRun().Mode == RunMode::kInstall)
    StartInstalledProgram();
  pages::CloseMainWindow();
}

void TFFinish::StartInstalledProgram() {
  const std::wstring exe = App.Setting(L"%PROGRAM_EXEC");
  const std::wstring target = QueryWindowsVersion() == WindowsVersion{5, 0}
                                  ? App.Paths.ProgramDir + L"\\" + exe
                                  : App.Paths.ProgramDir + L"\\DeskRelay.exe";
  // The program folder is open to everybody: what starts from there runs as the user.
  StartAsUser(target, exe, App.Paths.ProgramDir, SW_SHOWNORMAL);
}
