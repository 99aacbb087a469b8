// The known name nearest to a misspelt one, for the checker's "did you mean" suggestions.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace package_check {

// Edits (insert, delete, replace, swap two neighbours) between the texts, letter case ignored;
// of a long text only the first 64 characters count.
std::size_t EditDistance(std::wstring_view a, std::wstring_view b);

// The name of `known` with the fewest edits from `name` (the first of equals); empty when
// `known` is empty.
std::wstring NearestName(std::wstring_view name, std::span<const std::wstring_view> known);

}  // namespace package_check
