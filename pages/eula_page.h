// The licence page: the user agrees to the licence before installing, and may print it.
#pragma once

#include <string>

#include "winfx/form.h"

class TFEULA : public winfx::TForm {
 public:
  TFEULA();

 private:
  void LoadLicence();
  void rb_AgreeEULAClick();
  void bt_PrintEULAClick();
  void bt_PreviousClick();
  void bt_NextClick();
  void bt_CancelClick();
};

extern TFEULA* FEULA;

// base + preferred + "\" + fileName when that file exists, else the same with `fallback`, else "".
std::wstring PickLanguageFile(const std::wstring& base, const std::wstring& fallback,
                              const std::wstring& preferred, const std::wstring& fileName);
