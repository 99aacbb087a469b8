#include "core/text/text_store.h"

#include <utility>

#include "core/strings/case_folding.h"

namespace localisation {

void TextStore::Set(std::wstring_view section, std::wstring_view identifier, std::wstring text) {
  sections_[strings::FoldCase(section)][strings::FoldCase(identifier)] = std::move(text);
}

std::optional<std::wstring> TextStore::Find(std::wstring_view section,
                                            std::wstring_view identifier) const {
  const auto texts = sections_.find(strings::FoldCase(section));
  if (texts == sections_.end()) return std::nullopt;
  const auto text = texts->second.find(strings::FoldCase(identifier));
  if (text == texts->second.end()) return std::nullopt;
  return text->second;
}

}  // namespace localisation
