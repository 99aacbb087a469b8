// Looking texts up by section and identifier, following section aliases.
#pragma once

#include <string>
#include <string_view>

#include "core/text/text_store.h"

namespace localisation {

// What a lookup answers when there is no text. Callers compare with it, so a stored text that
// reads exactly "@@" counts as missing.
inline constexpr std::wstring_view kTextNotFound = L"@@";

// The identifier whose text, in a section, names the section that answers in its place.
inline constexpr std::wstring_view kMappingIdentifier = L"%Mapping%";

// The text of `identifier` in `section`, or kTextNotFound; no store also gives kTextNotFound.
// A section with a "%Mapping%" text is answered by the section that text names, and so on along
// the chain; the section's own other texts are never used. A chain that comes back to a section
// already passed stops there: that first repeated section answers.
std::wstring GetText(const TextStore* store, std::wstring_view section,
                     std::wstring_view identifier);

}  // namespace localisation
