// The texts a package's wizard shows in one language, read from the package's workbook, so that
// its buttons can be found by the captions they carry in that language.
#pragma once

#include <string>

#include "core/text/text_store.h"

namespace demo {

class WizardTexts {
 public:
  // Reads "Texts\InstallWizard_Texts.xls" of the package; without it every caption is "@@".
  WizardTexts(const std::wstring& packageFolder, const std::wstring& language);

  // The caption a control of a page shows, escapes expanded.
  std::wstring Caption(const std::wstring& page, const std::wstring& control) const;
  std::wstring Text(const std::wstring& section, const std::wstring& identifier) const;

 private:
  localisation::TextStore store_;
};

}  // namespace demo
