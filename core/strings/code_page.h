// The conversion between text and the bytes of a file that has no byte-order mark: on Windows the
// system code page (CP_ACP), which only the Windows layer can reach. Portable code takes it as a
// value; Latin-1 stands in for it where no Windows is at hand (tests, tools, fuzzing).
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace strings {

struct CodePage {
  std::function<std::wstring(std::string_view)> decode;
  std::function<std::string(std::wstring_view)> encode;
};

// ISO 8859-1: byte n is U+00nn. Lossless for any bytes, so text read with it is written back
// byte for byte. Characters above U+00FF are written as "?", as Windows writes characters that
// its code page lacks.
CodePage Latin1CodePage();

std::wstring DecodeLatin1(std::string_view bytes);
std::string EncodeLatin1(std::wstring_view text);

}  // namespace strings
