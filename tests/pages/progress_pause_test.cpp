// The progress pages' cooperative pause: Cancel holds the work at its next gate while the
// confirmation is open; going on lets it finish, stopping leaves it held for good.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>

#include "app/app.h"
#include "main/create_forms.h"
#include "pages/cancel_confirm_dialog.h"
#include "pages/cancelled_page.h"
#include "pages/finish_page.h"
#include "pages/progress_page.h"
#include "pages/wizard_run.h"
#include "prepare/prepare_form.h"
#include "winfx/application.h"

namespace {

using namespace std::chrono_literals;
using namespace winfx;

constexpr wchar_t kFinishedMessage[] = L"TEST_PROGRESS_FINISHED";

// Writes many small files, passing the gate before each, as the engines do between operations.
class FileWritingWorker : public TWorkerThread {
 public:
  FileWritingWorker(HWND page, std::wstring folder, int count)
      : TWorkerThread(page, kFinishedMessage), folder_(std::move(folder)), count_(count) {}
  std::atomic<int> written{0};

 protected:
  void Execute() override {
    ::CreateDirectoryW(folder_.c_str(), nullptr);
    for (int i = 0; i < count_; ++i) {
      PassGate();
      const std::wstring path = folder_ + L"\\" + std::to_wstring(i) + L".txt";
      HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
      DWORD done = 0;
      ::WriteFile(file, "x", 1, &done, nullptr);
      ::CloseHandle(file);
      written.fetch_add(1);
    }
  }

 private:
  std::wstring folder_;
  int count_;
};

// Runs its last step past every gate: it waits until `release` is set, then finishes.
class LastStepWorker : public TWorkerThread {
 public:
  LastStepWorker(HWND page, HANDLE release)
      : TWorkerThread(page, kFinishedMessage), release_(release) {}

 protected:
  void Execute() override { ::WaitForSingleObject(release_, 60000); }

 private:
  HANDLE release_;
};

constexpr FormLayout kForm{L"FTestProgress", L"TFTestProgress", 300, 120, BorderStyle::kDialog};
constexpr ControlLayout kLayout[] = {
    {L"pb_Work", L"TProgressBar", nullptr, 10, 10, 280, 20},
    {L"bt_Cancel", L"TButton", nullptr, 210, 80, 75, 25},
};

class TFTestProgress : public TProgressPage {
 public:
  TFTestProgress(std::wstring folder, int count)
      : TProgressPage(kForm, kLayout, kFinishedMessage, L"pb_Work", nullptr),
        folder_(std::move(folder)),
        count_(count) {}
  FileWritingWorker* worker = nullptr;  // owned by the page
  HANDLE lastStepRelease = nullptr;     // set: the page runs a LastStepWorker instead
  TWorkerThread* lastStepWorker = nullptr;

 protected:
  std::unique_ptr<TWorkerThread> CreateWorker() override {
    if (lastStepRelease != nullptr) {
      auto created = std::make_unique<LastStepWorker>(Handle(), lastStepRelease);
      lastStepWorker = created.get();
      return created;
    }
    auto created = std::make_unique<FileWritingWorker>(Handle(), folder_, count_);
    worker = created.get();
    return created;
  }

 private:
  std::wstring folder_;
  int count_;
};

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  return true;
}

// Lets messages run for a while without expecting anything to happen.
void PumpFor(std::chrono::milliseconds period) {
  PumpUntil([] { return false; }, period);
}

void Press(TForm& form, const wchar_t* button) {
  ::SendMessageW(form.Control(button).Handle, BM_CLICK, 0, 0);
}

class ProgressPauseTest : public testing::Test {
 protected:
  static constexpr int kFiles = 2000;

  void SetUp() override {
    App.Paths.SetupIniPath = L"C:\\pause-test-none\\Setup.ini";
    App.Info.TextSection = L"InstallWizard";
    Application.Initialize();
    CreateForms();
    ::CreateDirectoryW(L"C:\\pause-test", nullptr);
    static int run = 0;
    const std::wstring folder = L"C:\\pause-test\\" + std::to_wstring(++run);
    page = std::make_unique<TFTestProgress>(folder, kFiles);
  }
  void TearDown() override {
    page.reset();
    Application.DestroyForms();
  }

  int Written() const { return page->worker->written.load(); }

  std::unique_ptr<TFTestProgress> page;
};

TEST_F(ProgressPauseTest, CancelHoldsTheWorkAndGoingOnFinishesIt) {
  page->Show();
  ASSERT_TRUE(PumpUntil([&] { return page->worker != nullptr && Written() > 20; }, 60s));
  Press(*page, L"bt_Cancel");
  EXPECT_TRUE(FCancelConfirm->Visible());
  EXPECT_TRUE(page->Visible()) << "the progress page stays shown under the confirmation";
  const int atCancel = Written();
  PumpFor(300ms);
  const int held = Written();
  EXPECT_LE(held, atCancel + 1) << "at most the operation under way completes";
  PumpFor(500ms);
  EXPECT_EQ(Written(), held) << "nothing more is done while the confirmation is open";

  Press(*FCancelConfirm, L"bt_Cancel");
  EXPECT_FALSE(FCancelConfirm->Visible());
  ASSERT_TRUE(PumpUntil([] { return FFinish->Visible(); }, 120s));
  EXPECT_EQ(Written(), kFiles);
  EXPECT_FALSE(page->Visible());
}

TEST_F(ProgressPauseTest, StopLeavesTheWorkHeldAndShowsTheCancelledPage) {
  page->Show();
  ASSERT_TRUE(PumpUntil([&] { return page->worker != nullptr && Written() > 20; }, 60s));
  Press(*page, L"bt_Cancel");
  Press(*FCancelConfirm, L"bt_OK");
  EXPECT_TRUE(FCancel->Visible());
  EXPECT_FALSE(page->Visible());
  const int stopped = Written();
  PumpFor(800ms);
  EXPECT_LE(Written(), stopped + 1);
  EXPECT_FALSE(FFinish->Visible()) << "the finish page never follows a stop";
  EXPECT_FALSE(page->worker->Finished());
}

TEST_F(ProgressPauseTest, StopAfterTheLastStepRanUnderTheConfirmationStillStops) {
  const std::wstring program = L"C:\\pause-test\\last-step";
  ::CreateDirectoryW(program.c_str(), nullptr);
  pages::HandOverRun({prepare::RunMode::kInstall, {}});
  App.Paths.ProgramDir = program;
  HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  page->lastStepRelease = release;
  page->Show();
  ASSERT_TRUE(PumpUntil([&] { return page->lastStepWorker != nullptr; }, 60s));
  Press(*page, L"bt_Cancel");
  ASSERT_TRUE(FCancelConfirm->Visible());
  ::SetEvent(release);
  ASSERT_TRUE(PumpUntil([&] { return page->lastStepWorker->Finished(); }, 60s));
  PumpFor(300ms);
  EXPECT_FALSE(FFinish->Visible()) << "the question stays until it is answered";
  Press(*FCancelConfirm, L"bt_OK");
  PumpFor(300ms);
  EXPECT_TRUE(FCancel->Visible());
  EXPECT_FALSE(FFinish->Visible());
  EXPECT_EQ(::GetFileAttributesW((program + L"\\Installed.log").c_str()), INVALID_FILE_ATTRIBUTES);
  ::CloseHandle(release);
}

TEST_F(ProgressPauseTest, AHundredPausesEndLikeAnUninterruptedRun) {
  page->Show();
  ASSERT_TRUE(PumpUntil([&] { return page->worker != nullptr; }, 60s));
  for (int cycle = 0; cycle < 100 && !page->worker->Finished(); ++cycle) {
    Press(*page, L"bt_Cancel");
    PumpFor(2ms);
    Press(*FCancelConfirm, L"bt_Cancel");
    PumpFor(5ms);
  }
  ASSERT_TRUE(PumpUntil([] { return FFinish->Visible(); }, 120s)) << "no deadlock";
  EXPECT_EQ(Written(), kFiles);
}

TEST_F(ProgressPauseTest, CancelAfterTheFinishDoesNothing) {
  page->Show();
  ASSERT_TRUE(PumpUntil([] { return FFinish->Visible(); }, 120s));
  Press(*page, L"bt_Cancel");
  EXPECT_FALSE(FCancelConfirm->Visible());
}

}  // namespace
