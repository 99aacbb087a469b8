#include "prepare/prepare_form.h"

#include <vector>

#include "app/app.h"
#include "core/folders/csidl_names.h"
#include "core/prepare/name_settings.h"
#include "core/prepare/run_mode.h"
#include "core/text/text_escapes.h"
#include "pages/apply_texts.h"
#include "pages/message_boxes.h"
#include "util/command_line.h"
#include "util/setup_log.h"

TFPrepare* FPrepare = nullptr;

namespace {

using namespace winfx;

constexpr FormLayout kForm{L"FPrepare", L"TFPrepare", 381, 148, BorderStyle::kDialogNoIcons};

constexpr ControlLayout kLayout[] = {
    {L"lb_Prepare", L"TLabel", nullptr, 24, 22, 330, 42, kWordWrap},
    {L"lb_PrepareProc", L"TLabel", nullptr, 24, 74, 330, 17, kWordWrap},
    {L"bt_Cancel", L"TButton", nullptr, 279, 97, 75, 25, kCancel},
    {L"pb_Prepare", L"TProgressBar", nullptr, 24, 98, 249, 23},
    {L"Timer1", L"TTimer", nullptr, 0, 0, 500, 0},
    {L"Timer2", L"TTimer", nullptr, 0, 0, 500, 0},
};

// The install-backup folder of the modes that copy the uninstaller there: a name that is no
// special folder's would place the copy, and the clears and permissions before it, in the desktop.
bool KnowsInstallBackupFolder(prepare::RunMode mode) {
  using prepare::RunMode;
  if (mode != RunMode::kInstall && mode != RunMode::kUpgrade && mode != RunMode::kRegistry) {
    return true;
  }
  const std::wstring name = App.Setting(L"%INSTALL_BACKUP_DIR", L"CSIDL_COMMON_TEMPLATES");
  return folders::IsCsidlName(name) && !name.starts_with(L"CSIDL_FLAG_");
}

// The first command-line argument as the runtime parses it; "" when there is none.
std::wstring FirstArgument() {
  const std::vector<std::wstring> arguments = CommandLineArguments();
  return arguments.empty() ? std::wstring() : arguments.front();
}

}  // namespace

TFPrepare::TFPrepare() : TForm(kForm, kLayout) {
  ApplyTexts(App.Texts(), *this, App.Info.TextSection, L"TLabel");
  ApplyTexts(App.Texts(), *this, App.Info.TextSection, L"TButton");
  SetCaption(App.GetText(L"InstallWizard", L"FPrepare->Caption"));
  TControl& headline = Control(L"lb_Prepare");
  headline.SetCaption(localisation::InsertProductName(headline.Caption(), App.Info.ProductName));
  Control(L"bt_Cancel").OnClick = [this] { bt_CancelClick(); };
  Control(L"Timer1").OnTimer = [this] { Timer1Timer(); };
  OnShow = [this] { FormShow(); };
}

void TFPrepare::FormShow() {
  if (shown_) return;
  shown_ = true;
  using prepare::RunMode;
  const RunMode mode = prepare::RunModeFromArgument(FirstArgument());
  if (RefusesBrokenNames(mode)) return;
  switch (mode) {
    case RunMode::kUninstall:
    case RunMode::kUninstallAnyway:
      Mode = mode;
      Control(L"pb_Prepare").SetPosition(0);
      StepCount = 0;
      if (LoadInstallationRecord()) {
        StartTimer1();
      } else {
        ShowRefusal(Refusal::kNotInstalled);
        SetTimerEnabled(L"Timer1", false);
        Close();
      }
      break;
    case RunMode::kUpdater:
      HandOverToUpdater();
      break;
    case RunMode::kRegistry:
      RepairRegistration();
      break;
    case RunMode::kInstall:
    case RunMode::kUpgrade:
      Mode = mode;
      Control(L"pb_Prepare").SetPosition(0);
      StepCount = 0;
      RunPrepareChecks();
      StartTimer1();
      break;
  }
}

bool TFPrepare::RefusesBrokenNames(prepare::RunMode mode) {
  const auto breach = prepare::FindNameBreach(
      mode, [](std::wstring_view key) { return App.Setting(std::wstring(key)); },
      [](std::wstring_view key) { return App.GetText(L"UNINSTALL", std::wstring(key)); });
  std::wstring refused;
  if (breach) {
    refused = prepare::NameBreachText(*breach);
  } else if (!KnowsInstallBackupFolder(mode)) {
    refused = L"%INSTALL_BACKUP_DIR names no special folder";
  } else {
    return false;
  }
  // Before anything changes: the value would be joined into a path outside the product's folders.
  LogDebugLine(L"Refused: " + refused);
  ShowRefusal(Refusal::kIncompleteSettings);
  Close();
  return true;
}

void TFPrepare::StartTimer1() {
  SetTimerInterval(L"Timer1", 1000);
  SetTimerEnabled(L"Timer1", true);
}

void TFPrepare::TakeStep(int stepSize) {
  ++StepCount;
  Control(L"pb_Prepare").SetPosition(StepCount * stepSize);
}

void TFPrepare::bt_CancelClick() {
  Close();
}
