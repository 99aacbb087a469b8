#include "core/strings/code_page.h"

#include <cstdint>

namespace strings {
namespace {

bool IsSurrogatePair(wchar_t high, wchar_t low) {
  return high >= 0xD800 && high <= 0xDBFF && low >= 0xDC00 && low <= 0xDFFF;
}

}  // namespace

CodePage Latin1CodePage() {
  return CodePage{DecodeLatin1, EncodeLatin1};
}

std::wstring DecodeLatin1(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (char byte : bytes) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(byte)));
  return text;
}

std::string EncodeLatin1(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (static_cast<std::uint32_t>(c) <= 0xFF) {
      bytes.push_back(static_cast<char>(c));
      continue;
    }
    bytes.push_back('?');
    // One "?" for a character above U+FFFF, also where it takes two UTF-16 units.
    if (i + 1 < text.size() && IsSurrogatePair(c, text[i + 1])) ++i;
  }
  return bytes;
}

}  // namespace strings
