// The licence page: the user agrees to the licence before installing.
#pragma once

#include "winfx/form.h"

class TFEULA : public winfx::TForm {
 public:
  TFEULA();
};

extern TFEULA* FEULA;
