// The installation progress page.
#pragma once

#include "winfx/form.h"

class TFInstall : public winfx::TForm {
 public:
  TFInstall();
};

extern TFInstall* FInstall;
