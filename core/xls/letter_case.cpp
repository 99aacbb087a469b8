#include "core/xls/letter_case.h"

#include <cstddef>

#include "core/strings/case_folding.h"

namespace xls {

wchar_t FoldLetterCase(wchar_t c) {
  return strings::FoldCase(c);
}

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldLetterCase(a[i]) != FoldLetterCase(b[i])) return false;
  }
  return true;
}

bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldLetterCase(static_cast<wchar_t>(a[i])) != FoldLetterCase(static_cast<wchar_t>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace xls
