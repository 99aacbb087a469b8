// The uninstallation worker as its page sees it: the five fixed status texts with their bar
// positions in order, the files shown in between, and the finished message, also when the
// record names nothing at all.
#include "uninstall/uninstall_thread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "tests/util/test_files.h"
#include "util/reg_key.h"

namespace {

using namespace std::chrono_literals;

// What the page window received, in order: status texts, and bar positions as "#n".
std::vector<std::wstring> received;
bool finished = false;
UINT finishedMessage = 0;
UINT progressMessage = 0;

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == progressMessage) {
    if (wParam == kStatusText) {
      std::unique_ptr<std::wstring> text(reinterpret_cast<std::wstring*>(lParam));
      received.push_back(*text);
    } else {
      received.push_back(L"#" + std::to_wstring(lParam));
    }
    return 0;
  }
  if (message == finishedMessage) {
    finished = true;
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

class UninstallThread : public testing::Test {
 protected:
  void SetUp() override {
    finishedMessage = ::RegisterWindowMessageW(L"UNINSTALL_THREAD_FINISHED");
    progressMessage = ::RegisterWindowMessageW(kWorkerProgressMessage);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PageProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TestUninstallPage";
    ::RegisterClassW(&windowClass);
    page_ = ::CreateWindowW(L"TestUninstallPage", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            windowClass.hInstance, nullptr);
    received.clear();
    finished = false;
  }
  void TearDown() override { ::DestroyWindow(page_); }

  // Runs the worker to its finished message, pumping the page's messages meanwhile.
  bool Run(const UNINSTStruct_INFO& record, bool* succeeded = nullptr) {
    TUninstallThread worker(page_, record, L"Kestra Thread Test");
    worker.Start();
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (!finished && std::chrono::steady_clock::now() < deadline) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
      MSG message;
      while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    }
    if (succeeded != nullptr) *succeeded = worker.Succeeded();
    return finished;
  }

  HWND page_ = nullptr;
};

// The registration goes last: an uninstallation ended in the middle leaves the entry from which
// it can be run again.
const std::vector<std::wstring> kStepReports = {
    L"#0",  L"Remove Reg on Boot!",           L"#20",  L"Remove Links!",
    L"#40", L"Remove Program Folder!",        L"#60",  L"Remove Reg on Add/Remove Programs!",
    L"#80", L"Remove Reg on Program Folder!", L"#100",
};

TEST_F(UninstallThread, EmptyRecordReportsEveryStepAndFinishes) {
  ASSERT_TRUE(Run(UNINSTStruct_INFO{}));
  EXPECT_EQ(received, kStepReports);
}

TEST_F(UninstallThread, FilesAreShownInTheProgramFolderStep) {
  const std::wstring product = test_files::FreshFolder(L"KestraThread");
  test_files::WriteText(product + L"a.txt", "a");
  test_files::WriteText(product + L"KestraThread\\b.txt", "b");
  win::RegKey key;
  ASSERT_TRUE(key.Create(HKEY_LOCAL_MACHINE, L"Software\\Kestra Thread\\KestraOne", KEY_WRITE));
  ASSERT_TRUE(key.WriteString(L"UninstRegFolder", L"KestraOne"));
  key.Close();
  UNINSTStruct_INFO record;
  record.InstallDir = product.substr(0, product.size() - 1);
  record.KeyPath = L"Software\\Kestra Thread\\KestraOne\\";
  record.UninstRegFolder = L"KestraOne";

  ASSERT_TRUE(Run(record));

  ASSERT_GE(received.size(), kStepReports.size() + 2);
  EXPECT_TRUE(std::equal(kStepReports.begin(), kStepReports.begin() + 5, received.begin()));
  EXPECT_TRUE(std::equal(kStepReports.end() - 6, kStepReports.end(), received.end() - 6));
  // Between them file paths and bar positions, held back to a few a second: the first file at
  // once, and the bar's last position before the step's own report.
  const std::vector<std::wstring> between(received.begin() + 5, received.end() - 6);
  const std::vector<std::wstring> files = {product + L"a.txt", product + L"KestraThread\\b.txt"};
  EXPECT_NE(std::find(files.begin(), files.end(), between.front()), files.end());
  EXPECT_EQ(between.back(), L"#42");
  for (const auto& report : between) {
    EXPECT_TRUE(report.front() == L'#' ||
                std::find(files.begin(), files.end(), report) != files.end())
        << std::string(report.begin(), report.end());
  }
  EXPECT_FALSE(test_files::IsFile(product + L"a.txt"));
  EXPECT_FALSE(win::RegKey::Exists(HKEY_LOCAL_MACHINE, L"Software\\Kestra Thread"));
}

// A file that cannot be deleted keeps the record, from which the removal can be run again.
TEST_F(UninstallThread, AFileThatStaysKeepsTheEntryAndThePrivateRecord) {
  const std::wstring product = test_files::FreshFolder(L"KestraThreadHeld");
  test_files::WriteText(product + L"held.dll", "held");
  win::RegKey key;
  ASSERT_TRUE(key.Create(HKEY_LOCAL_MACHINE, L"Software\\Kestra Held\\KestraHeld", KEY_WRITE));
  key.Close();
  ASSERT_TRUE(key.Create(HKEY_LOCAL_MACHINE,
                         L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KestraHeld",
                         KEY_WRITE));
  key.Close();
  UNINSTStruct_INFO record;
  record.InstallDir = product.substr(0, product.size() - 1);
  record.KeyPath = L"Software\\Kestra Held\\KestraHeld";
  record.UninstRegFolder = L"KestraHeld";
  HANDLE held = ::CreateFileW((product + L"held.dll").c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);

  bool succeeded = true;
  const bool ended = Run(record, &succeeded);
  ::CloseHandle(held);
  ASSERT_TRUE(ended);
  EXPECT_FALSE(succeeded);
  EXPECT_TRUE(win::RegKey::Exists(HKEY_LOCAL_MACHINE, L"Software\\Kestra Held\\KestraHeld"));
  EXPECT_TRUE(win::RegKey::Exists(
      HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KestraHeld"));
}

}  // namespace
