// The caption or hint text of one control on one page, as applied when a page is built.
#pragma once

#include <string>
#include <string_view>

#include "core/text/text_store.h"

namespace localisation {

// Looks up "<page>-><control>-><property>" in `section`, then "<control>-><property>" when the
// first gives kTextNotFound, and expands the escape codes of the text. `property` is "Caption"
// or "Hint". The result is kTextNotFound when the control keeps its design-time text.
std::wstring ComponentText(const TextStore* store, std::wstring_view section,
                           std::wstring_view pageName, std::wstring_view controlName,
                           std::wstring_view property);

}  // namespace localisation
