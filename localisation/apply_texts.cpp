#include "localisation/apply_texts.h"

#include "app/app.h"
#include "core/text/component_text.h"
#include "core/text/text_lookup.h"

void ApplyTexts(winfx::TForm& form, const std::wstring& section, const std::wstring& className) {
  for (size_t index = 0; index < form.Components().size(); ++index) {
    winfx::TControl& control = *form.Components()[index];
    if (control.ClassName != className) continue;
    const std::wstring caption =
        localisation::ComponentText(App.Texts.get(), section, form.Name, control.Name, L"Caption");
    if (caption != localisation::kTextNotFound) control.SetCaption(caption);
    const std::wstring hint =
        localisation::ComponentText(App.Texts.get(), section, form.Name, control.Name, L"Hint");
    if (hint != localisation::kTextNotFound) control.Hint = hint;
  }
}
