// The base of the workers that run an installation, uninstallation or upgrade on a thread of
// their own while a progress page shows their state.
//
// Pausing is cooperative: the work passes a gate between its operations (and inside long
// copies), and a paused gate holds it there. A thread suspended at an arbitrary point could hold
// the heap or loader lock and deadlock the user-interface thread, so the worker is never
// suspended from outside.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "util/gated_file_copy.h"
#include "util/progress_sink.h"
#include "util/scoped_handle.h"

// The registered message by which a worker reports to its page: wParam kBarPosition with the
// position in lParam, or kStatusText with a std::wstring* in lParam that the page takes over.
inline constexpr wchar_t kWorkerProgressMessage[] = L"SETUP_WORKER_PROGRESS";
inline constexpr WPARAM kBarPosition = 0;
inline constexpr WPARAM kStatusText = 1;
// A file could not be written: lParam is a FailedWrite* that the page takes over; the worker waits
// until the page answers (TWorkerThread::AnswerFailedWrite).
inline constexpr WPARAM kFailedWrite = 2;

struct FailedWrite {
  std::wstring path;
  DWORD error = 0;
  // The programs holding the file, as Windows tells them; nothing when it cannot tell.
  std::optional<std::vector<std::wstring>> holders;
};

// The registered messages by which each worker tells its page (or a quiet run) that it has ended.
inline constexpr wchar_t kInstallFinishedMessage[] = L"INSTALL_THREAD_FINISHED";
inline constexpr wchar_t kUninstallFinishedMessage[] = L"UNINSTALL_THREAD_FINISHED";
inline constexpr wchar_t kUpgradeFinishedMessage[] = L"UPGRADE_THREAD_FINISHED";

// Runs one step of a worker: a step that raises an error is passed over, so that the remaining
// steps still run. False when the step raised one, whose message the log names with `stepName`.
bool RunStep(const std::wstring& stepName, const std::function<void()>& step);

class TWorkerThread : public StatusSink, public ProgressSink {
 public:
  // `page` receives the registered message `finishedMessageName` when the run has ended.
  TWorkerThread(HWND page, const wchar_t* finishedMessageName);
  TWorkerThread(const TWorkerThread&) = delete;
  TWorkerThread& operator=(const TWorkerThread&) = delete;
  virtual ~TWorkerThread() = default;

  void Start();
  // Holds the work at its next gate; Resume lets it go on. A stopped worker never passes a gate
  // again: nothing more is done, nothing is rolled back.
  void Pause();
  void Resume();
  void Stop();
  bool Finished() const { return finished_.load(); }
  // Whether the work did what it set out to do; read once Finished().
  virtual bool Succeeded() const { return true; }
  // Whether it did all of it: false when files were left out or a step broke off, which the
  // finish page then says; read once Finished().
  virtual bool Complete() const { return Succeeded(); }
  bool Paused() const { return ::WaitForSingleObject(gate_.Get(), 0) != WAIT_OBJECT_0; }

  // Called by the work between operations: returns at once while the gate is open.
  void PassGate() const;

  // From then on a file that AskingAboutFailedWrites' work cannot write is reported to the page
  // (kFailedWrite) and the work waits for the answer: Retry, Skip this file, or Stop (the page
  // stops the worker, then answers kSkip). Without it (quiet runs) the file is left out at once.
  // Called before Start.
  void AskAboutFailedWrites() { askAboutFailedWrites_ = true; }
  // Runs `work` on the worker's thread with its failed copies asked about, as far as the page
  // asked for that: the copies of the payload, of the upgrade and of the scripts put back, not
  // those whose failure has an answer of its own (the scripts backup keeps what it cannot read).
  void AskingAboutFailedWrites(const std::function<void()>& work);
  void AnswerFailedWrite(FailedWriteAnswer answer);

  // The page's status label and bar, set on the user-interface thread in the order reported.
  // A status text is shown before each file a folder walk copies, so it passes the gate too.
  void ShowStatus(const std::wstring& text) override;
  int Position() const override { return position_.load(); }
  void SetPosition(int position) override;

 protected:
  virtual void Execute() = 0;
  HWND Page() const { return page_; }

 private:
  static DWORD WINAPI ThreadMain(void* self);
  FailedWriteAnswer AskAboutFailedWrite(const std::wstring& path, DWORD error);

  HWND page_;
  UINT finishedMessage_;
  UINT progressMessage_;
  std::atomic<int> position_{0};
  win::ScopedHandle gate_;  // manual-reset event: signalled = open
  win::ScopedHandle thread_;
  std::atomic<bool> finished_{false};
  std::atomic<bool> stopped_{false};
  std::atomic<bool> closed_{false};  // set before the gate closes, cleared after it opens
  bool askAboutFailedWrites_ = false;
  win::ScopedHandle answered_;  // auto-reset event: the page has answered
  std::atomic<FailedWriteAnswer> answer_{FailedWriteAnswer::kSkip};
};
