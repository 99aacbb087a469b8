// Times the installation worker on a payload of 2,000 files / 200 MB, in-process, next to a bare
// CopyFileW loop over the same files, the worker's copy step alone, the permission commands it
// runs, and (when given) an NSIS installer of the same payload.
//
// Usage: install_bench [rounds [nsis-installer.exe or - [files]]]; by default 5 rounds, no NSIS,
// 2,000 files of 100,000 bytes in 20 folders. The worker copies from the folder of the
// running program, so the benchmark lays out a package under C:\install-bench, copies itself
// into it and runs that copy.
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/throttled_reports.h"
#include "app/worker_thread.h"
#include "bench/win/bench_payload.h"
#include "bench/win/bench_timing.h"
#include "install/file_deployment.h"
#include "install/install_thread.h"
#include "install/installation_record.h"
#include "install/scripts_macros_backup.h"
#include "install/startup_and_shortcuts.h"
#include "util/file_permissions.h"
#include "util/folder_operations.h"
#include "util/ini_file_io.h"
#include "util/setup_log.h"

namespace {

constexpr ULONGLONG kFileReportIntervalMs = 50;  // as the worker
constexpr wchar_t kInPackage[] = L"--in-package";
constexpr wchar_t kBenchRoot[] = L"C:\\install-bench";
constexpr wchar_t kPackage[] = L"C:\\install-bench\\package";
constexpr wchar_t kBareTarget[] = L"C:\\install-bench\\bare";
constexpr wchar_t kNsisTarget[] = L"C:\\nsis-bench";
constexpr wchar_t kProduct[] = L"KestraBench";
constexpr wchar_t kPublisher[] = L"BenchPublisher";
constexpr char kSettings[] =
    "[Setup]\r\n%PROGRAM_FILES=KestraBench\r\n%PROGRAM_FILES_OLD=KestraBench Old\r\n"
    "%PROGRAM_EXEC=KestraBench.exe\r\n%PROGRAM_VERSION=1.0.0\r\n%PROGRAM_ONBOOT=KestraBench\r\n"
    "%PUBLISHER=BenchPublisher\r\n%REG_FODLER_PROGNAME=KestraBench\r\n"
    "%UPDATER_DIR=KestraBench Updater\r\n%INSTALL_BACKUP_DIR=CSIDL_COMMON_TEMPLATES\r\n";

std::wstring OwnPath() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

void WriteText(const std::wstring& path, const char* text) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
  ::CloseHandle(file);
}

DWORD RunAndWaitForExit(const std::wstring& commandLine) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process = {};
  std::wstring line = commandLine;
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
    return 1;
  }
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return code;
}

int LayOutPackageAndRun(const std::wstring& arguments, const bench::PayloadShape& shape) {
  const std::wstring package = kPackage;
  bench::BareDeleteTree(kBenchRoot);
  ::SHCreateDirectoryExW(nullptr, package.c_str(), nullptr);
  WriteText(package + L"\\Setup.ini", kSettings);
  bench::MakePayload(package + L"\\program files\\" + kProduct, shape);
  ::CreateDirectoryW((package + L"\\program files\\KestraBench Updater").c_str(), nullptr);
  const std::wstring copy = package + L"\\install_bench.exe";
  ::CopyFileW(OwnPath().c_str(), copy.c_str(), FALSE);
  return static_cast<int>(RunAndWaitForExit(L"\"" + copy + L"\" " + kInPackage + arguments));
}

// What start-up and the preparation window set before the install page starts the worker. The
// texts are left unloaded: without a workbook start-up would stop at its message box.
void PrepareApp() {
  App.Paths.SetupIniPath = ExecutableFolder() + L"Setup.ini";
  App.Settings = SetupSettings::Read(App.Paths.SetupIniPath);
  App.Paths.RunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  App.Paths.PrivateKeyTemplate = L"Software\\%PUBLISHER\\%REG_FODLER_PROGNAME\\";
  App.Paths.UninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
  wchar_t programFiles[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, programFiles);
  App.Paths.ProgramFilesDir = programFiles;
  App.Paths.InstallRootDir = App.Paths.ProgramFilesDir + L"\\" + kProduct;
  App.Paths.ProgramDir = App.Paths.InstallRootDir + L"\\" + kProduct;
  App.Paths.OldProgramDir = App.Paths.InstallRootDir + L"\\KestraBench Old";
  App.Paths.ProgramExePath = App.Paths.ProgramDir + L"\\KestraBench.exe";
  App.Info.RunState = prepare::kRunStateInstall;
}

// Takes a worker's reports as the install page does, until its finished message.
void PumpUntil(HWND page, const wchar_t* finishedName) {
  const UINT finished = ::RegisterWindowMessageW(finishedName);
  const UINT progress = ::RegisterWindowMessageW(kWorkerProgressMessage);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == progress && message.wParam == kStatusText) {
      std::unique_ptr<std::wstring> text(reinterpret_cast<std::wstring*>(message.lParam));
      ::SetWindowTextW(page, text->c_str());
    }
    if (message.message == finished) return;
  }
}

// The worker's copy of the program folder alone, reporting to the page as the worker does.
class CopyStepThread : public TWorkerThread {
 public:
  CopyStepThread(HWND page, std::wstring source, std::wstring target)
      : TWorkerThread(page, L"BENCH_COPY_FINISHED"),
        source_(std::move(source)),
        target_(std::move(target)) {}

 protected:
  void Execute() override {
    ::CreateDirectoryW(target_.c_str(), nullptr);
    const PauseGate passGate = [this] { PassGate(); };
    ThrottledReports reports(*this, *this, passGate, kFileReportIntervalMs);
    CopyFolderTree(source_ + L"\\", target_ + L"\\", &reports, false, L"", &reports, passGate);
    reports.Flush();
  }

 private:
  std::wstring source_;
  std::wstring target_;
};

void ForgetInstallation() {
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (App.Paths.UninstallKey + kProduct).c_str());
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE,
                   (std::wstring(L"Software\\") + kPublisher + L"\\" + kProduct).c_str());
  bench::BareDeleteTree(App.Paths.InstallRootDir);
}

// Takes the reports a worker left for the page, without waiting for more.
void DiscardReports() {
  const UINT progress = ::RegisterWindowMessageW(kWorkerProgressMessage);
  MSG message;
  while (::PeekMessageW(&message, nullptr, progress, progress, PM_REMOVE)) {
    if (message.wParam == kStatusText) delete reinterpret_cast<std::wstring*>(message.lParam);
  }
}

struct TimedStep {
  const char* figure;
  void (*run)(InstallContext&);
};

// The worker's steps in its order, each timed on its own: where the worker's time goes.
constexpr TimedStep kSteps[] = {
    {"install_step_scripts_backup", BackupScriptsMacros},
    {"install_step_copy_files", CopyFiles},
    {"install_step_uninstall_entry", WriteRegOnUninstallFolder},
    {"install_step_startup_value", WriteRegOnBootName},
    {"install_step_shortcuts", CreateLinks},
    {"install_step_private_key", WriteRegOnPrivateFolder},
    {"install_step_setup_to_backup", CopySetupToBackup},
    {"install_step_secure_backup", SecureBackupFolder},
    {"install_step_record_file", WriteRecordFile},
};

void TimeStepsOnce(HWND page, std::map<const char*, std::vector<double>>& times) {
  TInstallThread thread(page, {App.Settings, App.Paths, App.Facts(prepare::RunMode::kInstall)});
  std::optional<InstallContext> context = thread.NewContext();
  if (!context) return;
  for (const TimedStep& step : kSteps) {
    times[step.figure].push_back(bench::TimeMs([&] { step.run(*context); }));
    DiscardReports();
  }
}

void SetPermissions(const std::wstring& target, TreeAccess access) {
  (void)SetTreePermissions(target, access);
}

int RunRounds(int rounds, const std::wstring& nsisInstaller) {
  PrepareApp();
  const std::wstring payload = std::wstring(kPackage) + L"\\program files\\" + kProduct;
  HWND page =
      ::CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  std::vector<double> worker, copyStep, copyStepLogged, bare, permissionsTree, permissionsSmall,
      nsis;
  std::map<const char*, std::vector<double>> stepTimes;
  ForgetInstallation();
  for (int round = 0; round < rounds; ++round) {
    worker.push_back(bench::TimeMs([&] {
      TInstallThread thread(page, {App.Settings, App.Paths, App.Facts(prepare::RunMode::kInstall)});
      thread.Start();
      PumpUntil(page, L"INSTALL_THREAD_FINISHED");
    }));
    ForgetInstallation();
    TimeStepsOnce(page, stepTimes);
    ForgetInstallation();

    copyStep.push_back(bench::TimeMs([&] {
      CopyStepThread thread(page, payload, kBareTarget);
      thread.Start();
      PumpUntil(page, L"BENCH_COPY_FINISHED");
    }));
    bench::BareDeleteTree(kBareTarget);

    // The same with the log of a quiet run kept: a line for every file copied.
    const std::wstring log = std::wstring(kBenchRoot) + L"\\copy-step.log";
    ::DeleteFileW(log.c_str());
    OpenSetupLog(log);
    copyStepLogged.push_back(bench::TimeMs([&] {
      CopyStepThread thread(page, payload, kBareTarget);
      thread.Start();
      PumpUntil(page, L"BENCH_COPY_FINISHED");
    }));
    CloseSetupLog();
    bench::BareDeleteTree(kBareTarget);

    bare.push_back(bench::TimeMs([&] { bench::BareCopyTree(payload, kBareTarget); }));
    permissionsTree.push_back(
        bench::TimeMs([&] { SetPermissions(kBareTarget, TreeAccess::kEveryoneFull); }));
    bench::BareDeleteTree(kBareTarget);
    ::CreateDirectoryW(kBareTarget, nullptr);
    permissionsSmall.push_back(
        bench::TimeMs([&] { SetPermissions(kBareTarget, TreeAccess::kAdministratorsOnly); }));
    bench::BareDeleteTree(kBareTarget);

    if (nsisInstaller != L"-") {
      nsis.push_back(bench::TimeMs([&] { RunAndWaitForExit(L"\"" + nsisInstaller + L"\""); }));
      bench::BareDeleteTree(kNsisTarget);
    }
  }
  bench::PrintFigure("install_worker", worker);
  bench::PrintFigure("install_copy_step", copyStep);
  bench::PrintFigure("install_copy_step_logged", copyStepLogged);
  bench::PrintFigure("copyfilew_loop", bare);
  bench::PrintFigure("permissions_on_payload_tree", permissionsTree);
  bench::PrintFigure("permissions_on_empty_folder", permissionsSmall);
  bench::PrintFigure("nsis_install", nsis);
  for (const TimedStep& step : kSteps) bench::PrintFigure(step.figure, stepTimes[step.figure]);
  ::DestroyWindow(page);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // The copy inside the package: --in-package rounds nsis-installer
  if (argc > 3 && std::wstring(argv[1]) == kInPackage) return RunRounds(_wtoi(argv[2]), argv[3]);
  const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 5;
  const std::wstring nsis = argc > 2 ? argv[2] : L"-";
  bench::PayloadShape shape;
  if (argc > 3) shape.files = std::max(1, _wtoi(argv[3]));
  const int code =
      LayOutPackageAndRun(L" " + std::to_wstring(rounds) + L" \"" + nsis + L"\"", shape);
  bench::BareDeleteTree(kBenchRoot);
  return code;
}
