#include "pages/failed_write_box.h"

#include <commctrl.h>

#include "app/app.h"
#include "winfx/system_functions.h"

namespace {

constexpr int kRetryButton = 1001;
constexpr int kSkipButton = 1002;
constexpr int kStopButton = 1003;

std::wstring Text(const wchar_t* identifier) {
  return App.TextOrBuiltIn(L"InstallWizard", identifier);
}

// The path as users write it: without the "\\?\" form that copies past 260 characters take.
std::wstring PlainPath(const std::wstring& path) {
  if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\" + path.substr(7);
  if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
  return path;
}

}  // namespace

std::wstring FailedWriteReason(DWORD error) {
  switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return Text(L"FailedWrite_InUse");
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return Text(L"FailedWrite_AccessDenied");
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return Text(L"FailedWrite_DiskFull");
    default:
      return Text(L"FailedWrite_Other") + L" (" + std::to_wstring(error) + L")";
  }
}

std::wstring FailedWriteDetails(const FailedWrite& file) {
  std::wstring details = PlainPath(file.path) + L"\n\n" + FailedWriteReason(file.error) + L"\n";
  if (!file.holders) return details + Text(L"FailedWrite_HoldersUnknown");
  details += Text(L"FailedWrite_Holders");
  for (size_t i = 0; i < file.holders->size(); ++i) {
    details += (i == 0 ? L" " : L", ") + (*file.holders)[i];
  }
  return details;
}

FailedWriteChoice AskAboutFailedWrite(HWND owner, const FailedWrite& file) {
  const std::wstring headline = Text(L"FailedWrite_Title");
  const std::wstring details = FailedWriteDetails(file);
  const std::wstring retry = Text(L"FailedWrite_Retry");
  const std::wstring skip = Text(L"FailedWrite_Skip");
  const std::wstring stop = Text(L"FailedWrite_Stop");
  const TASKDIALOG_BUTTON buttons[] = {
      {kRetryButton, retry.c_str()}, {kSkipButton, skip.c_str()}, {kStopButton, stop.c_str()}};
  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof(config);
  config.hwndParent = owner;
  config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
  config.pszWindowTitle = App.Info.ProductName.c_str();
  config.pszMainIcon = TD_WARNING_ICON;
  config.pszMainInstruction = headline.c_str();
  config.pszContent = details.c_str();
  config.cButtons = ARRAYSIZE(buttons);
  config.pButtons = buttons;
  config.nDefaultButton = kRetryButton;
  int pressed = 0;
  if (FAILED(winfx::system::TaskDialogIndirect(&config, &pressed, nullptr, nullptr))) {
    return FailedWriteChoice::kSkip;
  }
  if (pressed == kRetryButton) return FailedWriteChoice::kRetry;
  if (pressed == kSkipButton) return FailedWriteChoice::kSkip;
  return FailedWriteChoice::kStop;
}
