// A program with one visible top-level window, started by the process tests under several file
// names. Its argument decides how the window takes WM_CLOSE:
//   (none)      closes, and the program ends with exit code 0
//   ignore      returns at once and stays open
//   block       never returns from the message, as a program hanging in its close handler;
//               it has a second window, which a caller waiting window by window would wait for
//               again
//   nowindow    creates no window and waits to be ended
#include <windows.h>

#include <string_view>

namespace {

enum class CloseMode { kClose, kIgnore, kBlock };
CloseMode closeMode = CloseMode::kClose;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      if (closeMode == CloseMode::kIgnore) return 0;
      if (closeMode == CloseMode::kBlock) ::Sleep(INFINITE);
      break;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  const std::wstring_view mode = commandLine;
  if (mode == L"nowindow") {
    ::Sleep(INFINITE);
    return 0;
  }
  if (mode == L"ignore") closeMode = CloseMode::kIgnore;
  if (mode == L"block") closeMode = CloseMode::kBlock;

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"UtilTestWindow";
  ::RegisterClassW(&windowClass);
  ::CreateWindowExW(0, L"UtilTestWindow", L"Util test window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                    10, 200, 100, nullptr, nullptr, instance, nullptr);
  if (closeMode == CloseMode::kBlock) {
    ::CreateWindowExW(0, L"UtilTestWindow", L"Util test window 2", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                      220, 10, 200, 100, nullptr, nullptr, instance, nullptr);
  }
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
