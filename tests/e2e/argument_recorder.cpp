// A stand-in for the programs Setup.exe starts (the updater, DeskRelay.exe, icacls.exe, cmd.exe):
// it appends its command line, as UTF-8 with CR LF, to the file named like itself plus ".log",
// and the file name of the process that started it to the one named plus ".parent.log"; then it
// ends at once with exit code 0.
#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

#include <string>

namespace {

void AppendLine(const std::wstring& path, const std::wstring& text) {
  const std::wstring line = text + L"\r\n";
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string utf8(size, '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), utf8.data(), size,
                        nullptr, nullptr);
  HANDLE log = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(log, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  ::CloseHandle(log);
}

// The executable file name of the process that started this one; "" when it is gone.
std::wstring ParentName() {
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return L"";
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  DWORD parent = 0;
  for (BOOL more = ::Process32FirstW(snapshot, &entry); more;
       more = ::Process32NextW(snapshot, &entry)) {
    if (entry.th32ProcessID == ::GetCurrentProcessId()) parent = entry.th32ParentProcessID;
  }
  std::wstring name;
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot, &entry); more && parent != 0;
       more = ::Process32NextW(snapshot, &entry)) {
    if (entry.th32ProcessID == parent) name = entry.szExeFile;
  }
  ::CloseHandle(snapshot);
  return name;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  AppendLine(std::wstring(self) + L".parent.log", ParentName());
  AppendLine(std::wstring(self) + L".log", ::GetCommandLineW());
  return 0;
}
