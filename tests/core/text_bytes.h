// The bytes of a file written as a string literal, and a small code page with one letter outside
// Latin-1, for the tests of the core's text and file readers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/strings/code_page.h"

namespace text_bytes {

inline std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

// "Ж" is byte 0xC6 both ways, as in the Cyrillic code page; the rest is Latin-1.
inline strings::CodePage CyrillicLikeCodePage() {
  strings::CodePage codePage;
  codePage.decode = [](std::string_view bytes) {
    std::wstring text = strings::DecodeLatin1(bytes);
    for (wchar_t& c : text) {
      if (c == L'\u00C6') c = L'\u0416';
    }
    return text;
  };
  codePage.encode = [](std::wstring_view text) {
    std::wstring latin(text);
    for (wchar_t& c : latin) {
      if (c == L'\u0416') c = L'\u00C6';
    }
    return strings::EncodeLatin1(latin);
  };
  return codePage;
}

}  // namespace text_bytes
