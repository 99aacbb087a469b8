#include "core/version/version_compare.h"

#include <string>

#include "core/strings/utf_string_conversions.h"

namespace version {

int CompareVersionText(std::wstring_view a, std::wstring_view b) {
  // char16_t is unsigned, so units compare as numbers 0..0xFFFF.
  return strings::WideToUtf16(a).compare(strings::WideToUtf16(b));
}

}  // namespace version
