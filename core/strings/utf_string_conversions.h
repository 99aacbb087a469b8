// Conversions between UTF-8, UTF-16 and wide text. On Windows wchar_t is a UTF-16 code unit; on
// other hosts it holds a whole code point. The functions behave alike on both, so that code and
// tests that use them do not depend on the width of wchar_t.
#pragma once

#include <string>
#include <string_view>

namespace strings {

// Invalid UTF-8 (stray continuation bytes, overlong forms, encoded surrogates, values above
// U+10FFFF, truncated sequences) becomes U+FFFD, one for each maximal ill-formed subpart.
std::wstring Utf8ToWide(std::string_view utf8);

// Lone surrogates and values above U+10FFFF become U+FFFD, which UTF-8 can hold.
std::string WideToUtf8(std::wstring_view wide);

// Lone surrogates are kept as they are in both directions, so that any UTF-16 text survives
// Utf16ToWide followed by WideToUtf16 unchanged. Values above U+10FFFF become U+FFFD.
std::wstring Utf16ToWide(std::u16string_view utf16);
std::u16string WideToUtf16(std::wstring_view wide);

}  // namespace strings
