// The upgrade progress page.
#pragma once

#include "winfx/form.h"

class TFUpgradeAndRepair : public winfx::TForm {
 public:
  TFUpgradeAndRepair();
};

extern TFUpgradeAndRepair* FUpgradeAndRepair;
