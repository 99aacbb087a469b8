#include "prepare/message_boxes.h"

#include <windows.h>

#include "app/app.h"

namespace {

int ShowBox(const std::wstring& text, UINT type) {
  return ::MessageBoxW(::GetDesktopWindow(), text.c_str(), App.Info.ProductName.c_str(), type);
}

std::wstring Text(const std::wstring& identifier) {
  return App.GetText(L"InstallWizard", identifier);
}

}  // namespace

void ShowRefusal(const std::wstring& identifier, int number) {
  ShowRefusalText(Text(identifier), number);
}

void ShowRefusalText(const std::wstring& text, int number) {
  ShowBox(text + L" (" + std::to_wstring(number) + L")", MB_OK | MB_ICONERROR);
}

bool AskYesNo(const std::wstring& identifier) {
  return ShowBox(Text(identifier), MB_YESNO) == IDYES;
}

void ShowInformation(const std::wstring& identifier) {
  ShowBox(Text(identifier), MB_OK);
}
