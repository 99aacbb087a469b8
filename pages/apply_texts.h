// Applies the chosen language's texts to the captions and hints of one class of a form's
// components.
#pragma once

#include <string>

#include "core/text/text_store.h"
#include "winfx/form.h"

// For each component of `form` whose class name is exactly `className`, in layout order: the
// caption from "<form>-><component>->Caption", else "<component>->Caption" of `section` in
// `texts`, with escape codes expanded; likewise the hint. Components without a text (or every
// component, when `texts` is null) keep their own.
void ApplyTexts(const localisation::TextStore* texts, winfx::TForm& form,
                const std::wstring& section, const std::wstring& className);
