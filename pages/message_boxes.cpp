#include "pages/message_boxes.h"

#include <windows.h>

#include "app/app.h"
#include "app/run_outcome.h"
#include "util/setup_log.h"
#include "winfx/application.h"

namespace {

int ShowBox(const std::wstring& text, UINT type) {
  LogLine(L"message: " + text);
  // A quiet run shows nothing; its answers are decided before any question is asked.
  if (winfx::Application.Quiet) return IDNO;
  return ::MessageBoxW(::GetDesktopWindow(), text.c_str(), App.Info.ProductName.c_str(),
                       type | winfx::Application.MessageBoxReading());
}

std::wstring Text(const std::wstring& identifier) {
  return App.GetText(L"InstallWizard", identifier);
}

std::wstring Numbered(const std::wstring& text, int number) {
  return text + L" (" + std::to_wstring(number) + L")";
}

}  // namespace

std::wstring RefusalText(Refusal refusal) {
  return Numbered(App.TextOrBuiltIn(L"InstallWizard", std::wstring(MessageId(refusal))),
                  ExitCode(refusal));
}

void ShowRefusal(Refusal refusal) {
  RecordRefusal(refusal);
  ShowBox(RefusalText(refusal), MB_OK | MB_ICONERROR);
}

void LogRefusal(Refusal refusal) {
  RecordRefusal(refusal);
  LogLine(L"refused: " + RefusalText(refusal));
}

void ShowSettingsRefusal(const std::wstring& text) {
  RecordRefusal(Refusal::kIncompleteSettings);
  ShowBox(Numbered(text, 0), MB_OK | MB_ICONERROR);
}

bool AskYesNo(const std::wstring& identifier) {
  return ShowBox(Text(identifier), MB_YESNO) == IDYES;
}

void ShowInformation(const std::wstring& identifier) {
  ShowBox(Text(identifier), MB_OK);
}
