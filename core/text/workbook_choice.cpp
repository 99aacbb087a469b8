#include "core/text/workbook_choice.h"

namespace localisation {

std::optional<std::wstring> FirstNameWithPrefix(const std::vector<std::wstring>& names,
                                                std::wstring_view prefix) {
  for (const std::wstring& name : names) {
    if (name.starts_with(prefix)) return name;
  }
  return std::nullopt;
}

}  // namespace localisation
