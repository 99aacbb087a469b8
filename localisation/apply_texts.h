// Applies the chosen language's texts to the captions and hints of one class of a form's
// components.
#pragma once

#include <string>

#include "winfx/form.h"

// For each component of `form` whose class name is exactly `className`, in layout order: the
// caption from "<form>-><component>->Caption", else "<component>->Caption" of `section`, with
// escape codes expanded; likewise the hint. Components without a text keep their own.
void ApplyTexts(winfx::TForm& form, const std::wstring& section, const std::wstring& className);
