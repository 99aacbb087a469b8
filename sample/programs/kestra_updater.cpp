// KestraUpdater.exe: the sample product's online updater. Setup.exe starts it with
// "InstallExeRecall" or "UpdaterFinish" and closes it by the title of its window, "UpdaterForm",
// before an uninstallation. It only shows why it was started.
#include <windows.h>

#include <string>

namespace {

constexpr wchar_t kClassName[] = L"KestraUpdaterForm";
constexpr wchar_t kTitle[] = L"UpdaterForm";

std::wstring g_reason;

LRESULT CALLBACK UpdaterWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(window, &paint);
      RECT client;
      ::GetClientRect(window, &client);
      const std::wstring text = L"Kestra Updater: " + g_reason;
      ::DrawTextW(dc, text.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      ::EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
  g_reason = commandLine[0] != L'\0' ? commandLine : L"checking for updates";

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = UpdaterWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClassName;
  ::RegisterClassW(&windowClass);

  HWND window = ::CreateWindowExW(0, kClassName, kTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 360, 140, nullptr, nullptr,
                                  instance, nullptr);
  if (window == nullptr) return 1;
  ::ShowWindow(window, showCommand);

  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
