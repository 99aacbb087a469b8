// Choosing the text workbook among the ".xls" files of the texts folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace localisation {

// The first of `names`, in their given order, that begins with `prefix` letter for letter
// (case-sensitive); an empty prefix takes the first name.
std::optional<std::wstring> FirstNameWithPrefix(const std::vector<std::wstring>& names,
                                                std::wstring_view prefix);

}  // namespace localisation
