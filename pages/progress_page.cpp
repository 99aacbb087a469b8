#include "pages/progress_page.h"

#include "pages/cancel_confirm_dialog.h"
#include "pages/cancelled_page.h"
#include "pages/failed_write_box.h"
#include "pages/finish_page.h"
#include "pages/navigation.h"
#include "pages/wizard_run.h"

TProgressPage::TProgressPage(const winfx::FormLayout& form,
                             std::span<const winfx::ControlLayout> layout,
                             const wchar_t* finishedMessageName, const wchar_t* barName,
                             const wchar_t* statusName)
    : TForm(form, layout), barName_(barName), statusName_(statusName) {
  OnShow = [this] { FormShow(); };
  OnMessage(::RegisterWindowMessageW(finishedMessageName),
            [this](WPARAM, LPARAM) { OnWorkerFinished(); });
  OnMessage(::RegisterWindowMessageW(kWorkerProgressMessage),
            [this](WPARAM kind, LPARAM value) { OnWorkerProgress(kind, value); });
  Control(L"bt_Cancel").OnClick = [this] { bt_CancelClick(); };
  OnCloseQuery = [this] {
    bt_CancelClick();
    return false;
  };
}

TProgressPage::~TProgressPage() {
  // A worker held at its gate when the program ends still uses its own object: leave it to the
  // end of the process rather than free it under the thread.
  if (worker_ && !worker_->Finished()) worker_.release();
}

void TProgressPage::FormShow() {
  if (worker_) return;
  worker_ = CreateWorker();
  if (!worker_) return;
  worker_->AskAboutFailedWrites();
  worker_->Start();
}

void TProgressPage::bt_CancelClick() {
  if (finished_ || !worker_) return;
  worker_->Pause();
  FCancelConfirm->OpenFor(*this);
}

void TProgressPage::StopWork() {
  stopped_ = true;
  if (worker_) worker_->Stop();
  Hide();
}

void TProgressPage::GoOnWithWork() {
  if (worker_) worker_->Resume();
  if (finished_) ShowFinishPage();
}

void TProgressPage::OnWorkerFinished() {
  if (finished_) return;
  finished_ = true;
  // A worker past its last gate may finish while the user is asked whether to stop: the answer
  // decides. After Stop there is no finish page, whatever the worker did meanwhile.
  if (stopped_ || FCancelConfirm->Visible()) return;
  ShowFinishPage();
}

void TProgressPage::ShowFinishPage() {
  if (stopped_ || finishShown_) return;
  finishShown_ = true;
  if (worker_ && !worker_->Succeeded()) {
    WorkFailed();
    return;
  }
  if (worker_ && !worker_->Complete()) pages::NoteWorkIncomplete();
  BeforeFinishPage();
  pages::GoToPage(*this, *FFinish);
}

void TProgressPage::OnWorkerProgress(WPARAM kind, LPARAM value) {
  if (kind == kStatusText) {
    std::unique_ptr<std::wstring> text(reinterpret_cast<std::wstring*>(value));
    if (statusName_ != nullptr) Control(statusName_).SetCaption(*text);
  } else if (kind == kBarPosition) {
    Control(barName_).SetPosition(static_cast<int>(value));
  } else if (kind == kFailedWrite) {
    OnFailedWrite(std::unique_ptr<FailedWrite>(reinterpret_cast<FailedWrite*>(value)));
  }
}

void TProgressPage::OnFailedWrite(std::unique_ptr<FailedWrite> file) {
  if (!worker_) return;
  const FailedWriteChoice choice = AskAboutFailedWrite(Handle(), *file);
  if (choice == FailedWriteChoice::kStop) {
    // As the cancel confirmation's Stop: nothing more is done, nothing is rolled back.
    StopWork();
    FCancel->Show();
  }
  worker_->AnswerFailedWrite(choice == FailedWriteChoice::kRetry ? FailedWriteAnswer::kRetry
                                                                 : FailedWriteAnswer::kSkip);
}
