// A stand-in for the programs Setup.exe starts (the updater, DeskRelay.exe, icacls.exe, cmd.exe):
// it appends its command line, as UTF-8 with CR LF, to the file named like itself plus ".log"
// and ends at once with exit code 0.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring line = std::wstring(::GetCommandLineW()) + L"\r\n";
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string utf8(size, '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), utf8.data(), size,
                        nullptr, nullptr);
  HANDLE log = ::CreateFileW((std::wstring(self) + L".log").c_str(), FILE_APPEND_DATA,
                             FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  ::WriteFile(log, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  ::CloseHandle(log);
  return 0;
}
