#include "core/strings/text_encoding.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "core/strings/utf_string_conversions.h"

namespace strings {
namespace {

constexpr std::uint8_t kUtf8Mark[] = {0xEF, 0xBB, 0xBF};
constexpr std::uint8_t kUtf16LeMark[] = {0xFF, 0xFE};
constexpr std::uint8_t kUtf16BeMark[] = {0xFE, 0xFF};

bool StartsWith(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> prefix) {
  return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

std::string_view AsChars(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::wstring DecodeUtf16(std::span<const std::uint8_t> bytes, bool bigEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const unsigned first = bytes[i];
    const unsigned second = bytes[i + 1];
    units.push_back(
        static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
  }
  return Utf16ToWide(units);
}

void AppendUtf16(std::vector<std::uint8_t>& out, std::wstring_view text, bool bigEndian) {
  for (char16_t unit : WideToUtf16(text)) {
    const auto high = static_cast<std::uint8_t>(unit >> 8);
    const auto low = static_cast<std::uint8_t>(unit & 0xFF);
    out.push_back(bigEndian ? high : low);
    out.push_back(bigEndian ? low : high);
  }
}

void Append(std::vector<std::uint8_t>& out, std::string_view bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}

}  // namespace

DecodedText DecodeText(std::span<const std::uint8_t> bytes, const CodePage& codePage) {
  if (StartsWith(bytes, kUtf16LeMark)) {
    return {DecodeUtf16(bytes.subspan(2), false), TextEncoding::kUtf16Le};
  }
  if (StartsWith(bytes, kUtf16BeMark)) {
    return {DecodeUtf16(bytes.subspan(2), true), TextEncoding::kUtf16Be};
  }
  if (StartsWith(bytes, kUtf8Mark)) {
    return {Utf8ToWide(AsChars(bytes.subspan(3))), TextEncoding::kUtf8};
  }
  const std::string_view chars = AsChars(bytes);
  return {codePage.decode ? codePage.decode(chars) : DecodeLatin1(chars), TextEncoding::kCodePage};
}

std::vector<std::uint8_t> EncodeText(std::wstring_view text, TextEncoding encoding,
                                     const CodePage& codePage) {
  std::vector<std::uint8_t> out;
  switch (encoding) {
    case TextEncoding::kUtf16Le:
      out.assign(std::begin(kUtf16LeMark), std::end(kUtf16LeMark));
      AppendUtf16(out, text, false);
      break;
    case TextEncoding::kUtf16Be:
      out.assign(std::begin(kUtf16BeMark), std::end(kUtf16BeMark));
      AppendUtf16(out, text, true);
      break;
    case TextEncoding::kUtf8:
      out.assign(std::begin(kUtf8Mark), std::end(kUtf8Mark));
      Append(out, WideToUtf8(text));
      break;
    case TextEncoding::kCodePage:
      Append(out, codePage.encode ? codePage.encode(text) : EncodeLatin1(text));
      break;
  }
  return out;
}

}  // namespace strings
