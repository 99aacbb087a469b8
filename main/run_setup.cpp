#include "main/run_setup.h"

#include <shlobj.h>
#include <windows.h>
// After windows.h, which it needs.
#include <imm.h>
#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/run_lock.h"
#include "app/run_outcome.h"
#include "core/language/language_table.h"
#include "core/prepare/run_mode.h"
#include "core/prepare/run_options.h"
#include "core/strings/utf_string_conversions.h"
#include "main/create_forms.h"
#include "pages/message_boxes.h"
#include "prepare/prepare_form.h"
#include "util/command_line.h"
#include "util/setup_log.h"
#include "winfx/application.h"

namespace {

// A quiet run without "/log=" keeps its log in the temporary folder, named after the product.
std::wstring DefaultLogPath() {
  // GetTempPath2W gives SYSTEM a folder of its own instead of one where every user may create
  // files; where Windows lacks it, the log is opened link-safe all the same.
  using TempPathFunction = DWORD(WINAPI*)(DWORD, LPWSTR);
  static const auto tempPath2 = reinterpret_cast<TempPathFunction>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "GetTempPath2W")));
  wchar_t folder[MAX_PATH + 1] = {};
  if (tempPath2 == nullptr || tempPath2(MAX_PATH + 1, folder) == 0) {
    ::GetTempPathW(MAX_PATH + 1, folder);
  }
  const std::wstring& product = App.Info.ProductName;
  const bool named = !product.empty() && product != L"@@" &&
                     product.find_first_of(L"\\/:*?\"<>|") == std::wstring::npos;
  return std::wstring(folder) + (named ? product + L" Setup.log" : L"Setup.log");
}

void RunWizard() {
  try {
    winfx::Application.Initialize();
    winfx::Application.LoadIconFile(ExecutableFolder() + L"English\\Application.ico");
    CreateForms();
    winfx::Application.Run();
  } catch (const std::exception& error) {
    winfx::ShowMessage(strings::Utf8ToWide(error.what()));
  } catch (...) {
    winfx::ShowMessage(L"");
  }
  winfx::Application.DestroyForms();
}

// Only the preparation window is built, as a message-only window that is never shown.
int RunQuietly() {
  if (winfx::Application.Terminated()) return ExitCode(Refusal::kTextsUnreadable);
  // Nobody types: no input-method window for the thread either.
  ::ImmDisableIME(static_cast<DWORD>(-1));
  int exitCode = 0;
  try {
    winfx::Application.CreateForm(FPrepare);
    exitCode = FPrepare->RunQuiet();
  } catch (const std::exception& error) {
    LogLine(L"error: " + strings::Utf8ToWide(error.what()));
    exitCode = Refused() ? RefusalExitCode() : ExitCode(Refusal::kTextsUnreadable);
  }
  winfx::Application.DestroyForms();
  return exitCode;
}

// Another run of the same product is in progress: this one says so and changes nothing. The
// updater mode changes nothing either and takes no lock, since the updater it starts may start a
// Setup.exe of its own at once.
bool RefusedBesideAnotherRun(const std::vector<std::wstring>& arguments) {
  const prepare::RunMode mode =
      prepare::RunModeFromArgument(arguments.empty() ? L"" : arguments.front());
  const std::wstring productCode = App.Setting(L"%REG_FODLER_PROGNAME");
  // Without a product code the start checks refuse the package.
  if (mode == prepare::RunMode::kUpdater || productCode.empty()) return false;
  if (TakeRunLock(productCode) != RunLockResult::kRefused) return false;
  ShowRefusal(Refusal::kAnotherRunInProgress);
  return true;
}

}  // namespace

bool IsProcessAdministrator() {
  return ::IsUserAnAdmin() != FALSE;
}

int RunSetup(AdminQuery isAdministrator) {
  const std::vector<std::wstring> arguments = CommandLineArguments();
  const prepare::RunOptions options = prepare::ParseRunOptions(arguments);
  winfx::Application.Quiet = options.quiet;
  if (options.logPath) OpenSetupLog(*options.logPath);
  // A start-up error (an allocation that fails on a damaged package) ends with a message, or in
  // a quiet run with the exit code of an unreadable package, not a silent exit.
  try {
    const TextLoadFailure failure = App.Initialize(ExecutableFolder());
    if (failure != TextLoadFailure::kNone) {
      winfx::ShowMessage(TextLoadFailureMessage(failure));
      winfx::Application.Terminate();
    }
  } catch (const std::exception& error) {
    LogLine(L"error: " + strings::Utf8ToWide(error.what()));
    if (!options.quiet) winfx::ShowMessage(strings::Utf8ToWide(error.what()));
    CloseSetupLog();
    return options.quiet ? ExitCode(Refusal::kTextsUnreadable) : 0;
  }
  if (!options.logPath && options.quiet) OpenSetupLog(DefaultLogPath());
  if (!options.quiet) {
    winfx::Application.SetRightToLeft(localisation::IsRightToLeftLanguage(App.Info.Language));
  }
  LogLine(std::wstring(L"Setup started: ") + ::GetCommandLineW());

  int exitCode = 0;
  if (!isAdministrator()) {
    winfx::ShowMessage(
        App.GetText(L"InstallWizard", std::wstring(MessageId(Refusal::kNotAdministrator))));
    exitCode = ExitCode(Refusal::kNotAdministrator);
  } else if (RefusedBesideAnotherRun(arguments)) {
    exitCode = ExitCode(Refusal::kAnotherRunInProgress);
  } else if (options.quiet) {
    exitCode = RunQuietly();
  } else {
    RunWizard();
  }
  // Interactive runs end with 0 whatever happened, as they always did.
  if (!options.quiet) exitCode = 0;
  LogLine(L"Setup ended with exit code " + std::to_wstring(exitCode));
  CloseSetupLog();
  ReleaseRunLock();
  return exitCode;
}
