// The uninstallation progress page.
#pragma once

#include "winfx/form.h"

class TFUninstall : public winfx::TForm {
 public:
  TFUninstall();
};

extern TFUninstall* FUninstall;
