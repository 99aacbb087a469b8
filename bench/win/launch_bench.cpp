// Times, from the moment the launcher starts the process, how long a program takes until its
// window is visible and painted: Setup.exe up to the welcome page, next to the minimal window
// of minimal_window.exe. Then installs through the wizard (a payload of 2,000 files / 200 MB
// added to the package) and reads Setup.exe's peak working set once the finish page is shown.
//
// Usage: launch_bench <package folder> [launch rounds [install rounds]]. The package is copied
// to C:\launch-bench\package first, with minimal_window.exe from beside this program.
#include <windows.h>
// after windows.h
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "bench/win/bench_payload.h"
#include "bench/win/bench_timing.h"
#include "tools/driver/driver.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr wchar_t kBenchRoot[] = L"C:\\launch-bench";
constexpr wchar_t kPackage[] = L"C:\\launch-bench\\package";
constexpr auto kTimeout = 120s;

class StartedProcess {
 public:
  StartedProcess(const std::wstring& program, const std::wstring& folder) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    std::wstring line = L"\"" + program + L"\"";
    ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                     &startup, &info_);
  }
  ~StartedProcess() {
    ::TerminateProcess(info_.hProcess, 0);
    ::WaitForSingleObject(info_.hProcess, 30000);
    ::CloseHandle(info_.hThread);
    ::CloseHandle(info_.hProcess);
  }
  DWORD Id() const { return info_.dwProcessId; }
  HANDLE Handle() const { return info_.hProcess; }

 private:
  PROCESS_INFORMATION info_ = {};
};

BOOL CALLBACK FindChildToPaint(HWND child, LPARAM found) {
  if (::IsWindowVisible(child) && ::GetUpdateRect(child, nullptr, FALSE)) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
  }
  return TRUE;
}

bool HasNothingToPaint(HWND window) {
  if (::GetUpdateRect(window, nullptr, FALSE)) return false;
  bool found = false;
  ::EnumChildWindows(window, FindChildToPaint, reinterpret_cast<LPARAM>(&found));
  return !found;
}

// The visible window of that class once it and its controls have no part left to paint.
std::optional<HWND> WaitUntilPainted(DWORD processId, const std::wstring& className) {
  const auto deadline = Clock::now() + kTimeout;
  while (Clock::now() < deadline) {
    for (const auto& window : driver::TopLevelWindows(processId)) {
      if (window.visible && window.className == className && HasNothingToPaint(window.handle)) {
        return window.handle;
      }
    }
    ::Sleep(2);
  }
  return std::nullopt;
}

double PeakWorkingSetMb(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof(counters);
  if (!::GetProcessMemoryInfo(process, &counters, sizeof(counters))) return 0;
  return counters.PeakWorkingSetSize / (1024.0 * 1024.0);
}

// The process's own committed private memory (heaps, stacks, its data), summed over its address
// space. Unlike the working set it leaves out mapped program images and, under qemu, the
// emulator's translated code, which lies outside the Windows address space.
double PrivateCommitMb(HANDLE process) {
  std::uint64_t bytes = 0;
  MEMORY_BASIC_INFORMATION region;
  for (auto* address = static_cast<std::uint8_t*>(nullptr);
       ::VirtualQueryEx(process, address, &region, sizeof(region)) == sizeof(region);
       address = static_cast<std::uint8_t*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) bytes += region.RegionSize;
    if (region.RegionSize == 0) break;
  }
  return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

struct LaunchFigures {
  double firstWindowMs = 0;  // the window of `firstClassName` painted, when one was given
  double milliseconds = 0;
  double peakWorkingSetMb = 0;
  double privateMb = 0;
};

// From the start of the program to its window of `className` painted; on the way, when
// `firstClassName` is given, to that earlier window painted.
std::optional<LaunchFigures> LaunchUntilPainted(const std::wstring& program,
                                                const std::wstring& folder,
                                                const std::wstring& className,
                                                const std::wstring& firstClassName = L"") {
  const auto start = Clock::now();
  const auto elapsedMs = [&] {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  };
  StartedProcess process(program, folder);
  LaunchFigures figures;
  if (!firstClassName.empty()) {
    if (!WaitUntilPainted(process.Id(), firstClassName)) return std::nullopt;
    figures.firstWindowMs = elapsedMs();
  }
  if (!WaitUntilPainted(process.Id(), className)) return std::nullopt;
  figures.milliseconds = elapsedMs();
  figures.peakWorkingSetMb = PeakWorkingSetMb(process.Handle());
  figures.privateMb = PrivateCommitMb(process.Handle());
  return figures;
}

void ClickCaption(HWND page, const std::wstring& caption) {
  if (HWND button = driver::FindChildByText(page, caption)) driver::Click(button);
}

std::wstring Setting(const std::wstring& key) {
  wchar_t value[MAX_PATH] = {};
  ::GetPrivateProfileStringW(L"Setup", key.c_str(), L"", value, MAX_PATH,
                             (std::wstring(kPackage) + L"\\Setup.ini").c_str());
  return value;
}

std::wstring ProgramFilesFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetEnvironmentVariableW(L"ProgramFiles", path, MAX_PATH);
  return path;
}

// Clears what an installation left, so that the next start installs afresh.
void ForgetInstallation() {
  const std::wstring product = Setting(L"%REG_FODLER_PROGNAME");
  ::RegDeleteTreeW(
      HKEY_LOCAL_MACHINE,
      (L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + product).c_str());
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE,
                   (L"Software\\" + Setting(L"%PUBLISHER") + L"\\" + product).c_str());
  bench::BareDeleteTree(ProgramFilesFolder() + L"\\" + Setting(L"%PROGRAM_FILES"));
}

struct InstallFigures {
  double milliseconds = 0;
  double peakWorkingSetMb = 0;
  double privateMb = 0;
};

// Welcome, licence when shown, ready page, Install; then the finish page.
std::optional<InstallFigures> InstallThroughTheWizard() {
  StartedProcess setup(std::wstring(kPackage) + L"\\Setup.exe", kPackage);
  const auto welcome = WaitUntilPainted(setup.Id(), L"TFWelcome");
  if (!welcome) return std::nullopt;
  ClickCaption(*welcome, L"&Next >");
  const auto next = driver::WaitForWindow(
      setup.Id(),
      [](const driver::WindowInfo& window) {
        return window.visible &&
               (window.className == L"TFEULA" || window.className == L"TFAskInstall");
      },
      kTimeout);
  if (!next) return std::nullopt;
  if (next->className == L"TFEULA") {
    ClickCaption(next->handle, L"I &accept the terms of the licence agreement");
    HWND button = driver::FindChildByText(next->handle, L"&Next >");
    while (button != nullptr && !::IsWindowEnabled(button)) ::Sleep(2);
    driver::Click(button);
  }
  const auto ready = driver::WaitForVisibleWindowOfClass(setup.Id(), L"TFAskInstall", kTimeout);
  if (!ready) return std::nullopt;
  HWND install = driver::FindChildByText(ready->handle, L"&Install");
  const auto start = Clock::now();
  driver::Click(install);
  if (!driver::WaitForVisibleWindowOfClass(setup.Id(), L"TFFinish", 600s)) return std::nullopt;
  InstallFigures figures;
  figures.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  figures.peakWorkingSetMb = PeakWorkingSetMb(setup.Handle());
  figures.privateMb = PrivateCommitMb(setup.Handle());
  return figures;
}

std::wstring FolderOf(const std::wstring& path) {
  return path.substr(0, path.find_last_of(L'\\'));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: launch_bench <package folder> [launch rounds [install rounds]]\n");
    return 2;
  }
  const int launchRounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
  const int installRounds = argc > 3 ? std::max(0, _wtoi(argv[3])) : 3;
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);

  bench::BareDeleteTree(kBenchRoot);
  ::CreateDirectoryW(kBenchRoot, nullptr);
  bench::BareCopyTree(argv[1], kPackage);
  const std::wstring minimal = std::wstring(kBenchRoot) + L"\\minimal_window.exe";
  ::CopyFileW((FolderOf(self) + L"\\minimal_window.exe").c_str(), minimal.c_str(), FALSE);
  bench::MakePayload(std::wstring(kPackage) + L"\\program files\\" + Setting(L"%PROGRAM_FILES") +
                         L"\\BenchPayload",
                     {});

  std::vector<double> minimalMs, setupMs, prepareMs, minimalPeakMb, welcomePeakMb, minimalPrivateMb,
      welcomePrivateMb;
  for (int round = 0; round < launchRounds; ++round) {
    if (auto figures = LaunchUntilPainted(minimal, kBenchRoot, L"MinimalWindow")) {
      minimalMs.push_back(figures->milliseconds);
      minimalPeakMb.push_back(figures->peakWorkingSetMb);
      minimalPrivateMb.push_back(figures->privateMb);
    }
    if (auto figures = LaunchUntilPainted(std::wstring(kPackage) + L"\\Setup.exe", kPackage,
                                          L"TFWelcome", L"TFPrepare")) {
      prepareMs.push_back(figures->firstWindowMs);
      setupMs.push_back(figures->milliseconds);
      welcomePeakMb.push_back(figures->peakWorkingSetMb);
      welcomePrivateMb.push_back(figures->privateMb);
    }
  }
  bench::PrintFigure("launch_minimal_window", minimalMs);
  bench::PrintFigure("launch_setup_welcome", setupMs);
  bench::PrintFigure("launch_setup_prepare", prepareMs);
  bench::PrintFigure("minimal_window_peak_working_set_mb", minimalPeakMb);
  bench::PrintFigure("setup_welcome_peak_working_set_mb", welcomePeakMb);
  bench::PrintFigure("minimal_window_private_mb", minimalPrivateMb);
  bench::PrintFigure("setup_welcome_private_mb", welcomePrivateMb);

  std::vector<double> installMs, peakMb, finishPrivateMb;
  for (int round = 0; round < installRounds; ++round) {
    ForgetInstallation();
    if (auto figures = InstallThroughTheWizard()) {
      installMs.push_back(figures->milliseconds);
      peakMb.push_back(figures->peakWorkingSetMb);
      finishPrivateMb.push_back(figures->privateMb);
    } else {
      std::fprintf(stderr, "launch_bench: the wizard did not reach its finish page\n");
    }
  }
  ForgetInstallation();
  bench::PrintFigure("wizard_install", installMs);
  bench::PrintFigure("setup_peak_working_set_mb", peakMb);
  bench::PrintFigure("setup_finish_private_mb", finishPrivateMb);
  bench::BareDeleteTree(kBenchRoot);
  return 0;
}
