// Splitting text into lines at CR LF, LF or a lone CR.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace strings {

// The lines of `text`, without their line ends. A line end at the very end of the text does not
// open another line, so "a\r\n" and "a" both give {"a"}, and "" gives no line at all.
std::vector<std::wstring> SplitLines(std::wstring_view text);

}  // namespace strings
