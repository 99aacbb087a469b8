// What the three progress pages share: the worker started on first show, the cooperative pause
// while the cancel confirmation is open, and the finish page once the worker reports its end.
#pragma once

#include <memory>

#include "app/worker_thread.h"
#include "winfx/form.h"

class TProgressPage : public winfx::TForm {
 public:
  TProgressPage(const winfx::FormSpec& spec, std::span<const winfx::ControlSpec> layout,
                const wchar_t* finishedMessageName);
  ~TProgressPage() override;

  // The cancel confirmation's answers.
  void StopWork();
  void GoOnWithWork();

 protected:
  // The engine of this page, or nothing while there is none.
  virtual std::unique_ptr<TWorkerThread> CreateWorker() = 0;

 private:
  void FormShow();
  void bt_CancelClick();
  void OnWorkerFinished();

  std::unique_ptr<TWorkerThread> worker_;
  bool finished_ = false;
};
