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

}  // namespace

void ShowRefusal(const std::wstring& identifier, int number) {
  ShowRefusalText(Text(identifier), number);
}

void ShowRefusalText(const std::wstring& text, int number) {
  // A refusal without a number of its own is one of the settings.
  RecordRefusal(number != 0 ? number : kExitIncompleteSettings);
  ShowBox(text + L" (" + std::to_wstring(number) + L")", MB_OK | MB_ICONERROR);
}

bool AskYesNo(const std::wstring& identifier) {
  return ShowBox(Text(identifier), MB_YESNO) == IDYES;
}

void ShowInformation(const std::wstring& identifier) {
  ShowBox(Text(identifier), MB_OK);
}
