#include "core/strings/utf_string_conversions.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace strings {
namespace {

constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;
constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr char32_t kLastCodePoint = 0x10FFFF;

bool IsHighSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}
bool IsSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDFFF;
}

char32_t CombineSurrogates(char32_t high, char32_t low) {
  return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

// Appends `c` as UTF-16 code units; a lone surrogate value stays one unit.
template <typename String>
void AppendAsUtf16(String& out, char32_t c) {
  using Unit = typename String::value_type;
  if (c > kLastCodePoint) c = kReplacementCharacter;
  if (c >= 0x10000) {
    c -= 0x10000;
    out.push_back(static_cast<Unit>(0xD800 + (c >> 10)));
    out.push_back(static_cast<Unit>(0xDC00 + (c & 0x3FF)));
  } else {
    out.push_back(static_cast<Unit>(c));
  }
}

void AppendToWide(std::wstring& out, char32_t c) {
  if constexpr (kWideIsUtf16) {
    AppendAsUtf16(out, c);
  } else {
    out.push_back(static_cast<wchar_t>(c));
  }
}

// Reads the code point at `index` of UTF-16 units, pairing surrogates where they form a pair;
// a lone surrogate is returned as its own value.
template <typename Unit>
char32_t NextCodePoint(std::basic_string_view<Unit> units, std::size_t& index) {
  char32_t c = static_cast<std::make_unsigned_t<Unit>>(units[index++]);
  if (IsHighSurrogate(c) && index < units.size()) {
    char32_t low = static_cast<std::make_unsigned_t<Unit>>(units[index]);
    if (IsLowSurrogate(low)) {
      ++index;
      return CombineSurrogates(c, low);
    }
  }
  return c;
}

char32_t NextWideCodePoint(std::wstring_view wide, std::size_t& index) {
  if constexpr (kWideIsUtf16) {
    return NextCodePoint(wide, index);
  } else {
    return static_cast<char32_t>(wide[index++]);
  }
}

void AppendUtf8(std::string& out, char32_t c) {
  if (IsSurrogate(c) || c > kLastCodePoint) c = kReplacementCharacter;
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// The lead byte of a UTF-8 sequence: how many continuation bytes follow, the range allowed for
// the first of them (narrower than 80..BF where overlong forms, surrogates or values above
// U+10FFFF would otherwise slip through), and the payload bits of the lead byte.
struct LeadByte {
  int continuationCount = 0;
  std::uint8_t firstMin = 0x80;
  std::uint8_t firstMax = 0xBF;
  char32_t bits = 0;
};

bool ReadLeadByte(std::uint8_t b, LeadByte& lead) {
  if (b >= 0xC2 && b <= 0xDF) {
    lead = {1, 0x80, 0xBF, b & 0x1Fu};
  } else if (b >= 0xE0 && b <= 0xEF) {
    lead = {2, b == 0xE0 ? std::uint8_t{0xA0} : std::uint8_t{0x80},
            b == 0xED ? std::uint8_t{0x9F} : std::uint8_t{0xBF}, b & 0x0Fu};
  } else if (b >= 0xF0 && b <= 0xF4) {
    lead = {3, b == 0xF0 ? std::uint8_t{0x90} : std::uint8_t{0x80},
            b == 0xF4 ? std::uint8_t{0x8F} : std::uint8_t{0xBF}, b & 0x07u};
  } else {
    return false;
  }
  return true;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
  std::wstring out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<std::uint8_t>(utf8[i]);
    if (lead < 0x80) {
      out.push_back(static_cast<wchar_t>(lead));
      ++i;
      continue;
    }
    LeadByte form;
    if (!ReadLeadByte(lead, form)) {
      AppendToWide(out, kReplacementCharacter);
      ++i;
      continue;
    }
    char32_t c = form.bits;
    std::size_t next = i + 1;
    bool complete = true;
    for (int k = 0; k < form.continuationCount; ++k, ++next) {
      const std::uint8_t min = k == 0 ? form.firstMin : std::uint8_t{0x80};
      const std::uint8_t max = k == 0 ? form.firstMax : std::uint8_t{0xBF};
      if (next >= utf8.size()) {
        complete = false;
        break;
      }
      const auto b = static_cast<std::uint8_t>(utf8[next]);
      if (b < min || b > max) {
        complete = false;
        break;
      }
      c = (c << 6) | (b & 0x3Fu);
    }
    // An incomplete sequence is replaced as a whole; the byte that broke it starts anew.
    AppendToWide(out, complete ? c : kReplacementCharacter);
    i = next;
  }
  return out;
}

std::string WideToUtf8(std::wstring_view wide) {
  std::string out;
  out.reserve(wide.size());
  std::size_t i = 0;
  while (i < wide.size()) AppendUtf8(out, NextWideCodePoint(wide, i));
  return out;
}

std::wstring Utf16ToWide(std::u16string_view utf16) {
  std::wstring out;
  out.reserve(utf16.size());
  std::size_t i = 0;
  while (i < utf16.size()) {
    if constexpr (kWideIsUtf16) {
      out.push_back(static_cast<wchar_t>(utf16[i++]));
    } else {
      out.push_back(static_cast<wchar_t>(NextCodePoint(utf16, i)));
    }
  }
  return out;
}

std::u16string WideToUtf16(std::wstring_view wide) {
  std::u16string out;
  out.reserve(wide.size());
  for (wchar_t c : wide) {
    if constexpr (kWideIsUtf16) {
      out.push_back(static_cast<char16_t>(c));
    } else {
      AppendAsUtf16(out, static_cast<char32_t>(c));
    }
  }
  return out;
}

}  // namespace strings
