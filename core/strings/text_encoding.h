// Reading and writing whole text files in the encodings Windows' INI functions understand: UTF-16
// (either byte order) and UTF-8 when the file starts with their byte-order mark, otherwise the
// system code page.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/strings/code_page.h"

namespace strings {

enum class TextEncoding {
  kCodePage,  // no byte-order mark
  kUtf8,
  kUtf16Le,
  kUtf16Be,
};

struct DecodedText {
  std::wstring text;  // without the byte-order mark
  TextEncoding encoding = TextEncoding::kCodePage;
};

// UTF-16 with an odd number of bytes loses its last byte; lone surrogates are kept. Invalid
// UTF-8 becomes U+FFFD. Anything without a byte-order mark goes through `codePage.decode`, or
// Latin-1 when that is empty.
DecodedText DecodeText(std::span<const std::uint8_t> bytes, const CodePage& codePage);

// The bytes of `text` in `encoding`, starting with the byte-order mark of the Unicode encodings.
// kCodePage goes through `codePage.encode`, or Latin-1 when that is empty.
std::vector<std::uint8_t> EncodeText(std::wstring_view text, TextEncoding encoding,
                                     const CodePage& codePage);

}  // namespace strings
