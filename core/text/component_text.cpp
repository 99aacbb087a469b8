#include "core/text/component_text.h"

#include "core/text/text_escapes.h"
#include "core/text/text_lookup.h"

namespace localisation {

std::wstring ComponentText(const TextStore* store, std::wstring_view section,
                           std::wstring_view pageName, std::wstring_view controlName,
                           std::wstring_view property) {
  const std::wstring shared = std::wstring(controlName) + L"->" + std::wstring(property);
  std::wstring text = GetText(store, section, std::wstring(pageName) + L"->" + shared);
  if (text == kTextNotFound) text = GetText(store, section, shared);
  return ExpandEscapes(text);
}

}  // namespace localisation
