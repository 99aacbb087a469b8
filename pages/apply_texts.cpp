#include "pages/apply_texts.h"

#include "core/text/component_text.h"
#include "core/text/text_lookup.h"

void ApplyTexts(const localisation::TextStore* texts, winfx::TForm& form,
                const std::wstring& section, const std::wstring& className) {
  for (size_t index = 0; index < form.Components().size(); ++index) {
    winfx::TControl& control = *form.Components()[index];
    if (control.ClassName != className) continue;
    const std::wstring caption =
        localisation::ComponentText(texts, section, form.Name, control.Name, L"Caption");
    if (caption != localisation::kTextNotFound) control.SetCaption(caption);
    const std::wstring hint =
        localisation::ComponentText(texts, section, form.Name, control.Name, L"Hint");
    if (hint != localisation::kTextNotFound) control.Hint = hint;
  }
}
