#include "core/strings/string_util.h"

#include <algorithm>

#include "core/strings/case_folding.h"

namespace strings {
namespace {

constexpr wchar_t kSeparator = L'\\';
constexpr std::wstring_view kBlanks = L" \t";

}  // namespace

std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to) {
  if (from.empty()) return std::wstring(text);
  std::wstring result;
  result.reserve(text.size());
  std::size_t start = 0;
  for (std::size_t found = text.find(from); found != std::wstring_view::npos;
       found = text.find(from, start)) {
    result.append(text.substr(start, found - start));
    result.append(to);
    start = found + from.size();
  }
  result.append(text.substr(start));
  return result;
}

std::wstring WithTrailingSeparator(std::wstring_view path) {
  std::wstring result(path);
  if (!result.empty() && result.back() != kSeparator) result.push_back(kSeparator);
  return result;
}

std::wstring WithoutTrailingSeparator(std::wstring_view path) {
  if (!path.empty() && path.back() == kSeparator) path.remove_suffix(1);
  return std::wstring(path);
}

std::wstring ToLowerAscii(std::wstring_view text) {
  std::wstring result(text);
  for (wchar_t& c : result) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return result;
}

bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](wchar_t x, wchar_t y) { return FoldCase(x) == FoldCase(y); });
}

std::wstring_view TrimBlanks(std::wstring_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::wstring_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

}  // namespace strings
