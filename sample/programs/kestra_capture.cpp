// KestraCapture.exe: the sample product. One main window whose caption is the one Setup.ini
// records as %PROGRAM_FORMCAPTION; started with "Minimum" (the log-on start) it opens minimised.
#include <windows.h>

#include <string>

namespace {

constexpr wchar_t kClassName[] = L"KestraCaptureMain";
constexpr wchar_t kCaption[] = L"Kestra Capture";
constexpr wchar_t kGreeting[] = L"Kestra Capture is ready to capture.";

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(window, &paint);
      RECT client;
      ::GetClientRect(window, &client);
      ::DrawTextW(dc, kGreeting, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
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
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClassName;
  ::RegisterClassW(&windowClass);

  HWND window = ::CreateWindowExW(0, kClassName, kCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 480, 320, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  const bool minimised = std::wstring(commandLine).find(L"Minimum") != std::wstring::npos;
  ::ShowWindow(window, minimised ? SW_SHOWMINNOACTIVE : showCommand);

  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
