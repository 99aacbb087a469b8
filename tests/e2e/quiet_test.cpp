// Setup.exe as deployment tools run it: "/quiet" shows no window, ends with 0 or the number of
// the message that refused, keeps a log, and the uninstall entry names the quiet removal.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "tests/catalogue/prefix_snapshot.h"
#include "tests/e2e/installed_product.h"
#include "tests/e2e/machine_state.h"
#include "tests/e2e/test_package.h"
#include "tests/e2e/watched_run.h"
#include "tools/driver/driver.h"
#include "util/reg_key.h"
#include "util/scoped_handle.h"

namespace {

using namespace std::chrono_literals;
using namespace e2e;

const std::wstring kEntry = std::wstring(kUninstallKey) + L"KestraCapture";
constexpr wchar_t kPrivateKey[] = L"Software\\Kestra Software\\KestraCapture";

std::optional<DWORD> EntryNumber(const std::wstring& name) {
  win::RegKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, kEntry, KEY_READ)) return std::nullopt;
  return key.ReadDword(name);
}

ULONGLONG FolderBytes(const std::wstring& folder) {
  ULONGLONG bytes = 0;
  for (const std::wstring& name : FolderNames(folder)) {
    const std::wstring path = folder + L"\\" + name;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      bytes += FolderBytes(path);
    } else {
      bytes += (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
  }
  return bytes;
}

std::string LogText(const std::wstring& path) {
  return FileBytes(path).value_or("");
}

ProductSettings KestraCapture() {
  return {"Kestra", "KestraCapture", "KestraCapture"};
}

TEST(Quiet, InstallsWithoutAWindowThenTheEntrysQuietCommandRemovesIt) {
  const ForgottenAtTheEnd forgotten(L"KestraCapture", L"Kestra Software");
  const auto package =
      MakeProductPackage(L"quiet-install", L"InstallWizard_Texts.xls", KestraCapture(), false);
  const std::wstring log = L"C:\\quiet\\install.log";
  ::CreateDirectoryW(L"C:\\quiet", nullptr);
  const std::wstring install =
      L"\"" + package->SetupPath() + L"\" install /QUIET \"/log=" + log + L"\"";

  const WatchedRun first = RunWatched(install, package->Folder());
  EXPECT_EQ(first.exitCode, std::optional<DWORD>(0));
  EXPECT_TRUE(first.windowsSeen.empty()) << "a window: " << Narrow(first.windowsSeen.front());

  const std::wstring product = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\Kestra";
  EXPECT_EQ(FileBytes(product + L"\\Kestra\\Kestra.exe"),
            std::optional<std::string>("MZ the Kestra program"));
  EXPECT_TRUE(FileExists(product + L"\\Kestra\\Installed.log")) << "as the finish page leaves it";
  EXPECT_EQ(MachineValue(kEntry, L"DisplayVersion"), std::optional<std::wstring>(L"2.0"));
  const auto uninstaller = MachineValue(kPrivateKey, L"UninstOnAppDataDir");
  ASSERT_TRUE(uninstaller.has_value());
  EXPECT_EQ(MachineValue(kEntry, L"QuietUninstallString"),
            std::optional<std::wstring>(L"\"" + *uninstaller + L"\" uninstall /quiet"));
  EXPECT_EQ(MachineValue(kEntry, L"InstallLocation"), std::optional<std::wstring>(product));
  EXPECT_EQ(EntryNumber(L"NoModify"), std::optional<DWORD>(1));
  EXPECT_EQ(EntryNumber(L"NoRepair"), std::optional<DWORD>(1));
  EXPECT_EQ(EntryNumber(L"EstimatedSize"),
            std::optional<DWORD>(static_cast<DWORD>((FolderBytes(product) + 1023) / 1024)));

  const std::string text = LogText(log);
  for (const std::wstring& file :
       {product + L"\\Kestra\\Kestra.exe", product + L"\\Kestra\\Manual\\English.pdf",
        product + L"\\Updater\\Regedit_FileList.ini"}) {
    EXPECT_NE(text.find("copied " + Narrow(file)), std::string::npos) << Narrow(file);
  }
  EXPECT_NE(text.find("permissions set on "), std::string::npos) << "the permission walks' counts";
  EXPECT_NE(text.find("QuietUninstallString"), std::string::npos) << "the registry values";
  EXPECT_NE(text.find("Setup ended with exit code 0"), std::string::npos);

  // The same command again: nothing to do, nothing changed but the log.
  const catalogue::PrefixSnapshot before = catalogue::TakeSnapshot();
  EXPECT_EQ(RunWatched(install, package->Folder()).exitCode, std::optional<DWORD>(0));
  EXPECT_EQ(catalogue::Differences(before, catalogue::TakeSnapshot(), {log}),
            std::vector<std::wstring>{});

  // The entry's quiet command, as a deployment tool runs it.
  const auto quietUninstall = MachineValue(kEntry, L"QuietUninstallString");
  ASSERT_TRUE(quietUninstall.has_value());
  const WatchedRun removal = RunWatched(*quietUninstall, L"");
  EXPECT_EQ(removal.exitCode, std::optional<DWORD>(0));
  EXPECT_TRUE(removal.windowsSeen.empty()) << "a window: " << Narrow(removal.windowsSeen.front());
  EXPECT_FALSE(MachineKeyExists(kEntry));
  EXPECT_FALSE(MachineKeyExists(kPrivateKey));
  EXPECT_FALSE(FileExists(product + L"\\Kestra\\Kestra.exe"));
  // The uninstaller copy went too, but for what it could not delete while it ran: that is left
  // for the next restart to delete.
  const std::wstring backup = uninstaller->substr(0, uninstaller->rfind(L'\\'));
  const std::vector<std::wstring> left = FolderNames(backup);
  EXPECT_TRUE(left.empty() || left == std::vector<std::wstring>{L"Setup.exe"});
  win::RegKey sessionManager;
  ASSERT_TRUE(sessionManager.Open(
      HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager", KEY_READ));
  const std::wstring pending =
      sessionManager.ReadMultiStringData(L"PendingFileRenameOperations").value_or(L"");
  for (const std::wstring& path : {*uninstaller, backup}) {
    if (!FileExists(path) && !FolderExists(path)) continue;
    EXPECT_NE(pending.find(path + std::wstring(1, L'\0')), std::wstring::npos)
        << Narrow(path) << " is left without a deletion at the next restart";
  }
  EXPECT_EQ(
      RunWatched(L"\"" + package->SetupPath() + L"\" uninstall /quiet", package->Folder()).exitCode,
      std::optional<DWORD>(201))
      << "nothing left to remove";
}

// A payload file in use elsewhere, open without sharing: the run goes on with the other files as
// the wizard does, but does not report the installation as done.
TEST(Quiet, AFileThatCannotBeCopiedEndsWith1603) {
  const ForgottenAtTheEnd forgotten(L"KestraCapture", L"Kestra Software");
  const auto package =
      MakeProductPackage(L"quiet-blocked", L"InstallWizard_Texts.xls", KestraCapture(), false);
  const std::wstring product = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\Kestra";
  const std::wstring manuals = product + L"\\Kestra\\Manual";
  ASSERT_EQ(::SHCreateDirectoryExW(nullptr, manuals.c_str(), nullptr), ERROR_SUCCESS);
  const std::wstring blocked = manuals + L"\\English.pdf";
  win::ScopedHandle inUse(::CreateFileW(blocked.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(inUse.IsValid());
  const std::wstring log = L"C:\\quiet-blocked.log";

  const WatchedRun run =
      RunWatched(L"\"" + package->SetupPath() + L"\" /quiet /log=" + log, package->Folder());
  EXPECT_EQ(run.exitCode, std::optional<DWORD>(1603));
  EXPECT_TRUE(FileExists(product + L"\\Kestra\\Kestra.exe")) << "the other files are copied";
  const std::string text = LogText(log);
  EXPECT_NE(text.find("copied failed (error 32): " + Narrow(blocked)), std::string::npos)
      << "the log names the file";
  EXPECT_NE(text.find("Setup ended with exit code 1603"), std::string::npos);

  inUse.Reset();
  const auto quietUninstall = MachineValue(kEntry, L"QuietUninstallString");
  ASSERT_TRUE(quietUninstall.has_value());
  EXPECT_EQ(RunWatched(*quietUninstall, L"").exitCode, std::optional<DWORD>(0));
}

// The temporary folder lets every user create files (C:\\Windows\\Temp for SYSTEM): a user made
// the default log's name a hard link to a file of his own. The run writes a log of its own.
TEST(Quiet, AHardLinkPlantedAsTheDefaultLogIsNotWrittenThrough) {
  const ForgottenAtTheEnd forgotten(L"KestraCapture", L"Kestra Software");
  const auto package =
      MakeProductPackage(L"quiet-temp-log", L"InstallWizard_Texts.xls", KestraCapture(), false);
  wchar_t temp[MAX_PATH + 1] = {};
  ASSERT_GT(::GetTempPathW(MAX_PATH + 1, temp), 0u);
  const std::wstring log = std::wstring(temp) + L"Kestra Capture Setup.log";
  const std::wstring shared = L"C:\\log-shared-by-a-user.txt";
  e2e::WriteFileText(shared, "the user's own");
  ::DeleteFileW(log.c_str());
  ASSERT_TRUE(::CreateHardLinkW(log.c_str(), shared.c_str(), nullptr));

  // Nothing installed: the quiet removal ends at once, and logs that.
  EXPECT_EQ(
      RunWatched(L"\"" + package->SetupPath() + L"\" uninstall /quiet", package->Folder()).exitCode,
      std::optional<DWORD>(201));

  EXPECT_EQ(FileBytes(shared), std::optional<std::string>("the user's own"));
  bool ownLog = false;
  for (const std::wstring& name : FolderNames(temp)) {
    if (name.starts_with(L"Kestra Capture Setup.log.") &&
        LogText(std::wstring(temp) + name).find("Setup ended with exit code 201") !=
            std::string::npos) {
      ownLog = true;
    }
  }
  EXPECT_TRUE(ownLog) << "a log of its own beside the planted name";
  ::DeleteFileW(log.c_str());
}

bool LockHeld(const std::wstring& name) {
  const win::ScopedHandle lock(::OpenMutexW(SYNCHRONIZE, FALSE, name.c_str()));
  return lock.IsValid();
}

// Two runs for the same product at once: the second says so, ends as Windows Installer's 1618
// that deployment tools retry later, and changes nothing; the first installs.
TEST(Quiet, ASecondRunOfTheSameProductEndsWith1618) {
  const ForgottenAtTheEnd forgotten(L"KestraCapture", L"Kestra Software");
  const auto package =
      MakeProductPackage(L"quiet-twice", L"InstallWizard_Texts.xls", KestraCapture(), false);
  const std::wstring lock = L"Global\\Setup run KestraCapture";
  const std::wstring install = L"\"" + package->SetupPath() + L"\" /quiet /log=";
  {
    driver::Process first(install + L"C:\\quiet-first.log", package->Folder());
    const auto deadline = std::chrono::steady_clock::now() + 120s;
    while (!LockHeld(lock) && !first.WaitForExit(0ms) &&
           std::chrono::steady_clock::now() < deadline) {
      ::Sleep(10);
    }
    ASSERT_TRUE(LockHeld(lock)) << "the first run holds the lock while it works";
    const WatchedRun second = RunWatched(install + L"C:\\quiet-second.log", package->Folder());
    EXPECT_EQ(second.exitCode, std::optional<DWORD>(1618));
    EXPECT_TRUE(second.windowsSeen.empty());
    EXPECT_EQ(first.WaitForExit(300s), std::optional<DWORD>(0));
  }
  EXPECT_NE(LogText(L"C:\\quiet-second.log").find("Setup ended with exit code 1618"),
            std::string::npos);
  EXPECT_EQ(MachineValue(kEntry, L"DisplayVersion"), std::optional<std::wstring>(L"2.0"));

  // While another run holds the lock: nothing changes, and a wizard shows the message (built
  // into Setup.exe for a workbook without it).
  const win::ScopedHandle held(::CreateMutexW(nullptr, TRUE, lock.c_str()));
  ASSERT_TRUE(held.IsValid());
  const catalogue::PrefixSnapshot before = catalogue::TakeSnapshot();
  EXPECT_EQ(RunWatched(L"\"" + package->SetupPath() + L"\" uninstall /quiet /log=C:\\q.log",
                       package->Folder())
                .exitCode,
            std::optional<DWORD>(1618));
  EXPECT_EQ(catalogue::Differences(before, catalogue::TakeSnapshot(), {L"C:\\q.log"}),
            std::vector<std::wstring>{});
  e2e::TestPackage minimal(L"quiet-twice-minimal");
  minimal.AddTestData(L"Minimal_Texts.xls", L"Texts\\InstallWizard_Texts.xls");
  minimal.WriteText(L"Setup.ini", KestraCapture().Text());
  driver::Process wizard(L"\"" + minimal.SetupPath() + L"\"", minimal.Folder());
  const auto box = driver::WaitForMessageBox(wizard.Id(), 60s);
  ASSERT_TRUE(box.has_value());
  EXPECT_NE(box->text.find(L"Setup of this product is running already."), std::wstring::npos)
      << Narrow(box->text);
  EXPECT_TRUE(driver::AnswerMessageBox(*box, IDOK));
  EXPECT_EQ(wizard.WaitForExit(30s), std::optional<DWORD>(0));
  ::ReleaseMutex(held.Get());

  const auto quietUninstall = MachineValue(kEntry, L"QuietUninstallString");
  ASSERT_TRUE(quietUninstall.has_value());
  EXPECT_EQ(RunWatched(*quietUninstall, L"").exitCode, std::optional<DWORD>(0));
}

struct RefusalCase {
  const char* name;
  const char* settings;  // Setup.ini; nullptr: none
  bool workbook;
  const wchar_t* installedVersion;  // seeded installation; nullptr: none
  const wchar_t* argument;
  DWORD exitCode;
};

class QuietRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(QuietRefusal, EndsWithTheMessageNumberAndChangesNothing) {
  const RefusalCase& row = GetParam();
  const ForgottenAtTheEnd forgotten(L"KestraCapture", L"Kestra Software");
  e2e::TestPackage package(L"quiet-" + Widen(row.name));
  if (row.workbook) {
    package.AddTestData(L"InstallWizard_Texts.xls", L"Texts\\InstallWizard_Texts.xls");
  }
  if (row.settings != nullptr) package.WriteText(L"Setup.ini", row.settings);
  if (row.installedVersion != nullptr) {
    WriteStringValue(HKEY_LOCAL_MACHINE, kEntry, L"DisplayVersion", row.installedVersion);
    WriteStringValue(HKEY_LOCAL_MACHINE, kPrivateKey, L"UninstRegFolder", L"KestraCapture");
  }
  const std::wstring log = L"C:\\quiet-" + Widen(row.name) + L".log";
  const catalogue::PrefixSnapshot before = catalogue::TakeSnapshot();
  const WatchedRun run =
      RunWatched(L"\"" + package.SetupPath() + L"\" " + row.argument + L" /quiet /log=" + log,
                 package.Folder());
  EXPECT_EQ(run.exitCode, std::optional<DWORD>(row.exitCode));
  EXPECT_TRUE(run.windowsSeen.empty()) << "a window: " << Narrow(run.windowsSeen.front());
  EXPECT_EQ(catalogue::Differences(before, catalogue::TakeSnapshot(), {log}),
            std::vector<std::wstring>{});
  EXPECT_NE(LogText(log).find("exit code " + std::to_string(row.exitCode)), std::string::npos);
}

constexpr char kSettings[] =
    "[Setup]\r\n%PROGRAM_FILES=Kestra\r\n%PROGRAM_EXEC=Kestra.exe\r\n%PROGRAM_VERSION=2.0\r\n"
    "%PUBLISHER=Kestra Software\r\n%REG_FODLER_PROGNAME=KestraCapture\r\n";
constexpr char kSettingsWithoutPublisher[] =
    "[Setup]\r\n%PROGRAM_FILES=Kestra\r\n%PROGRAM_VERSION=2.0\r\n"
    "%REG_FODLER_PROGNAME=KestraCapture\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, QuietRefusal,
    testing::Values(RefusalCase{"newer", kSettings, true, L"9.0", L"install", 102},
                    RefusalCase{"no_publisher", kSettingsWithoutPublisher, true, nullptr,
                                L"install", 101},
                    RefusalCase{"no_settings", nullptr, true, nullptr, L"upgrade", 101},
                    RefusalCase{"not_installed", kSettings, true, nullptr, L"uninstall", 201},
                    RefusalCase{"no_workbook", kSettings, false, nullptr, L"install", 2}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
