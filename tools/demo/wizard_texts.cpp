#include "tools/demo/wizard_texts.h"

#include "core/text/component_text.h"
#include "core/text/text_lookup.h"
#include "core/text/text_sheet.h"
#include "core/xls/sheet.h"
#include "util/file_bytes.h"

namespace demo {

WizardTexts::WizardTexts(const std::wstring& packageFolder, const std::wstring& language) {
  const auto bytes = ReadFileBytes(packageFolder + L"Texts\\InstallWizard_Texts.xls");
  if (!bytes) return;
  localisation::FillTextStore(xls::ReadSheet(*bytes, L"Install"), language, store_);
}

std::wstring WizardTexts::Caption(const std::wstring& page, const std::wstring& control) const {
  return localisation::ComponentText(&store_, L"InstallWizard", page, control, L"Caption");
}

std::wstring WizardTexts::Text(const std::wstring& section, const std::wstring& identifier) const {
  return localisation::GetText(&store_, section, identifier);
}

}  // namespace demo
