#include "core/text/text_lookup.h"

#include <optional>
#include <set>
#include <utility>

#include "core/strings/case_folding.h"

namespace localisation {

namespace {

std::wstring ResolveSection(const TextStore& store, std::wstring_view section) {
  std::wstring current(section);
  std::set<std::wstring> passed;
  while (passed.insert(strings::FoldCase(current)).second) {
    std::optional<std::wstring> target = store.Find(current, kMappingIdentifier);
    if (!target || *target == kTextNotFound) break;
    current = std::move(*target);
  }
  return current;
}

}  // namespace

std::wstring GetText(const TextStore* store, std::wstring_view section,
                     std::wstring_view identifier) {
  if (store == nullptr) return std::wstring(kTextNotFound);
  std::optional<std::wstring> text = store->Find(ResolveSection(*store, section), identifier);
  return text ? std::move(*text) : std::wstring(kTextNotFound);
}

}  // namespace localisation
