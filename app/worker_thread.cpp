#include "app/worker_thread.h"

#include <exception>
#include <memory>

#include "core/strings/utf_string_conversions.h"
#include "util/file_holders.h"
#include "util/setup_log.h"

bool RunStep(const std::wstring& stepName, const std::function<void()>& step) {
  try {
    step();
    return true;
  } catch (const std::exception& error) {
    LogLine(L"step broken off: " + stepName + L": " + strings::Utf8ToWide(error.what()));
  } catch (...) {
    LogLine(L"step broken off: " + stepName + L": an error without a message");
  }
  return false;
}

TWorkerThread::TWorkerThread(HWND page, const wchar_t* finishedMessageName)
    : page_(page),
      finishedMessage_(::RegisterWindowMessageW(finishedMessageName)),
      progressMessage_(::RegisterWindowMessageW(kWorkerProgressMessage)),
      gate_(::CreateEventW(nullptr, TRUE, TRUE, nullptr)),
      answered_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

void TWorkerThread::Start() {
  if (thread_) return;
  thread_.Reset(::CreateThread(nullptr, 0, &TWorkerThread::ThreadMain, this, 0, nullptr));
}

void TWorkerThread::Pause() {
  closed_.store(true);
  ::ResetEvent(gate_.Get());
}

void TWorkerThread::Resume() {
  if (stopped_.load()) return;
  ::SetEvent(gate_.Get());
  closed_.store(false);
}

void TWorkerThread::Stop() {
  stopped_.store(true);
  closed_.store(true);
  ::ResetEvent(gate_.Get());
}

void TWorkerThread::PassGate() const {
  // An open gate is passed without a kernel call: file walks pass it once a file.
  if (!closed_.load()) return;
  ::WaitForSingleObject(gate_.Get(), INFINITE);
}

void TWorkerThread::ShowStatus(const std::wstring& text) {
  PassGate();
  LogLine(L"status: " + text);
  auto copy = std::make_unique<std::wstring>(text);
  if (::PostMessageW(page_, progressMessage_, kStatusText, reinterpret_cast<LPARAM>(copy.get()))) {
    copy.release();
  }
}

void TWorkerThread::SetPosition(int position) {
  position_.store(position);
  ::PostMessageW(page_, progressMessage_, kBarPosition, position);
}

void TWorkerThread::AskingAboutFailedWrites(const std::function<void()>& work) {
  if (!askAboutFailedWrites_) {
    work();
    return;
  }
  const ScopedFailedWriteQuestion asking(
      [this](const std::wstring& path, DWORD error) { return AskAboutFailedWrite(path, error); });
  work();
}

void TWorkerThread::AnswerFailedWrite(FailedWriteAnswer answer) {
  answer_.store(answer);
  ::SetEvent(answered_.Get());
}

FailedWriteAnswer TWorkerThread::AskAboutFailedWrite(const std::wstring& path, DWORD error) {
  LogLine(L"asking about the file that cannot be written (error " + std::to_wstring(error) +
          L"): " + path);
  auto question =
      std::make_unique<FailedWrite>(FailedWrite{path, error, ProgramsHoldingFile(path)});
  if (!::PostMessageW(page_, progressMessage_, kFailedWrite,
                      reinterpret_cast<LPARAM>(question.get()))) {
    return FailedWriteAnswer::kSkip;
  }
  question.release();
  ::WaitForSingleObject(answered_.Get(), INFINITE);
  const FailedWriteAnswer answer = answer_.load();
  LogLine(answer == FailedWriteAnswer::kRetry ? L"answer: retry" : L"answer: skip this file");
  // After Stop the worker holds here for good.
  PassGate();
  return answer;
}

DWORD WINAPI TWorkerThread::ThreadMain(void* self) {
  auto* worker = static_cast<TWorkerThread*>(self);
  try {
    worker->PassGate();
    worker->Execute();
  } catch (...) {
    // A failed step must not keep the page from moving on: the finished message still goes.
  }
  worker->finished_.store(true);
  ::PostMessageW(worker->page_, worker->finishedMessage_, 0, 0);
  return 0;
}
