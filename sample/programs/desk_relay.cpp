// DeskRelay.exe: starts the program named by its parameter text from its own folder, so that the
// program runs with the program folder as its working folder whoever opened the launcher.
// Exit code 0 when the program was started, 1 without a name, 2 when it could not be started.
#include <windows.h>

#include <string>

namespace {

std::wstring OwnFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring own = path;
  return own.substr(0, own.find_last_of(L'\\'));
}

// The parameter text without surrounding blanks and quotes: the shell passes it as given.
std::wstring ProgramName(std::wstring text) {
  const auto first = text.find_first_not_of(L" \t\"");
  if (first == std::wstring::npos) return L"";
  const auto last = text.find_last_not_of(L" \t\"");
  return text.substr(first, last - first + 1);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  const std::wstring name = ProgramName(commandLine);
  if (name.empty()) return 1;
  const std::wstring folder = OwnFolder();
  std::wstring command = L"\"" + folder + L"\\" + name + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
    return 2;
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return 0;
}
