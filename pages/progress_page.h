// What the three progress pages share: the worker started on first show, the cooperative pause
// while the cancel confirmation is open, and the finish page once the worker reports its end.
#pragma once

#include <memory>

#include "app/worker_thread.h"
#include "pages/finish_page.h"
#include "pages/navigation.h"
#include "winfx/form.h"

class TProgressPage : public winfx::TForm {
 public:
  // `barName` and `statusName` name the controls that show the worker's reports; a status
  // name of nullptr leaves status texts unshown.
  TProgressPage(const winfx::FormLayout& form, std::span<const winfx::ControlLayout> layout,
                const wchar_t* finishedMessageName, const wchar_t* barName,
                const wchar_t* statusName);
  ~TProgressPage() override;

  // The cancel confirmation's answers.
  void StopWork();
  void GoOnWithWork();

 protected:
  // The engine of this page, or nothing while there is none.
  virtual std::unique_ptr<TWorkerThread> CreateWorker() = 0;
  // Runs on the user-interface thread once the worker has finished, before the finish page.
  virtual void BeforeFinishPage() {}
  // Instead of the finish page when the worker did not succeed: the finish page must not report
  // work as done that was not.
  virtual void WorkFailed() { pages::GoToPage(*this, *FFinish); }

 private:
  void FormShow();
  void bt_CancelClick();
  void OnWorkerFinished();
  void ShowFinishPage();
  void OnWorkerProgress(WPARAM kind, LPARAM value);
  // Asks the user about a file the worker cannot write and hands the answer to the worker.
  void OnFailedWrite(std::unique_ptr<FailedWrite> file);

  std::unique_ptr<TWorkerThread> worker_;
  bool finished_ = false;
  bool stopped_ = false;
  bool finishShown_ = false;
  const wchar_t* barName_;
  const wchar_t* statusName_;
};
