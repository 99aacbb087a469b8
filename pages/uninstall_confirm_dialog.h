// The uninstall confirmation: the first window of an uninstallation.
#pragma once

#include "winfx/form.h"

class TFUninstallConfirm : public winfx::TForm {
 public:
  TFUninstallConfirm();
};

extern TFUninstallConfirm* FUninstallConfirm;
