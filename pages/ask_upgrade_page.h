// The ask-upgrade page: offers to bring the installed program up to this package.
#pragma once

#include "winfx/form.h"

class TFAskUpgradeAndRepair : public winfx::TForm {
 public:
  TFAskUpgradeAndRepair();

 private:
  void bt_UpgradeClick();
  void bt_CancelClick();
};

extern TFAskUpgradeAndRepair* FAskUpgradeAndRepair;
