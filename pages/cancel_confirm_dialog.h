// The cancel confirmation over a running progress page: stop the work, or go on with it.
#pragma once

#include "winfx/form.h"

class TProgressPage;

class TFCancelConfirm : public winfx::TForm {
 public:
  TFCancelConfirm();

  // Shows the dialog for the progress page whose work has just been paused.
  void OpenFor(TProgressPage& page);

 private:
  void bt_OKClick();
  void bt_CancelClick();

  TProgressPage* openedBy_ = nullptr;
};

extern TFCancelConfirm* FCancelConfirm;
