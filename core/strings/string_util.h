// Small string helpers for UTF-16 text and Windows paths.
#pragma once

#include <string>
#include <string_view>

// Utf8ToWide and WideToUtf8 are reached through this header too.
#include "core/strings/utf_string_conversions.h"

namespace strings {

// `text` with every occurrence of `from` replaced by `to`, scanning from the left; replaced text
// is not scanned again. An empty `from` leaves the text unchanged.
std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to);

// `path` with a "\" appended unless it already ends in one. An empty path stays empty, so that
// it never turns into the root of the current drive.
std::wstring WithTrailingSeparator(std::wstring_view path);

// `path` without its last character when that is a "\"; only one is removed.
std::wstring WithoutTrailingSeparator(std::wstring_view path);

// Letters A-Z lowered; every other character unchanged.
std::wstring ToLowerAscii(std::wstring_view text);

// Whether the two texts are equal once folded with FoldCase (case_folding.h).
bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b);

// `text` without leading and trailing blanks (spaces and tabs).
std::wstring_view TrimBlanks(std::wstring_view text);

}  // namespace strings
