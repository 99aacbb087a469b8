#include "tools/package_check/picture_checks.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "core/strings/string_util.h"

namespace package_check {
namespace {

using Bytes = std::vector<std::uint8_t>;

enum class Format { kBmp, kPng, kJpeg, kGif, kUnknown };

struct Picture {
  Format format = Format::kUnknown;
  std::optional<PictureSize> size;  // for BMP and PNG
};

std::uint32_t Little32(const Bytes& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

bool StartsWith(const Bytes& bytes, std::string_view start) {
  if (bytes.size() < start.size()) return false;
  for (std::size_t i = 0; i < start.size(); ++i) {
    if (bytes[i] != static_cast<std::uint8_t>(start[i])) return false;
  }
  return true;
}

Picture ReadPicture(const Bytes& bytes) {
  Picture picture;
  if (StartsWith(bytes, "BM")) {
    picture.format = Format::kBmp;
    picture.size = localisation::ReadPictureSize(bytes);
  } else if (StartsWith(bytes, "\x89PNG\r\n\x1a\n")) {
    picture.format = Format::kPng;
    picture.size = localisation::ReadPictureSize(bytes);
  } else if (StartsWith(bytes, "\xff\xd8\xff")) {
    picture.format = Format::kJpeg;
  } else if (StartsWith(bytes, "GIF8")) {
    picture.format = Format::kGif;
  }
  return picture;
}

std::wstring FormatName(Format format) {
  switch (format) {
    case Format::kBmp:
      return L"BMP";
    case Format::kPng:
      return L"PNG";
    case Format::kJpeg:
      return L"JPEG";
    case Format::kGif:
      return L"GIF";
    case Format::kUnknown:
      break;
  }
  return L"";
}

std::wstring SizeText(PictureSize size) {
  return std::to_wstring(size.width) + L"x" + std::to_wstring(size.height);
}

}  // namespace

void CheckPictureFile(const PackageFolder& package, const std::wstring& relative,
                      PictureSize expected, Findings& findings) {
  const auto bytes = package.ReadFile(relative);
  if (!bytes) {
    findings.Add(relative, L"", L"cannot be read: the pages show no picture");
    return;
  }
  const Picture picture = ReadPicture(*bytes);
  if (picture.format == Format::kUnknown) {
    findings.Add(relative, L"",
                 L"neither a BMP nor a PNG picture (by its content): the pages show no picture");
    return;
  }
  const auto dot = relative.rfind(L'.');
  const std::wstring extension =
      dot == std::wstring::npos ? L"" : strings::ToLowerAscii(relative.substr(dot + 1));
  const std::wstring format = FormatName(picture.format);
  if (extension != strings::ToLowerAscii(format)) {
    findings.Warn(relative, L"",
                  L"holds a " + format +
                      L" picture, whatever its name says: Setup.exe shows it (after the BMP "
                      L"loader has failed on it, GDI+ reads it by its content), but a name that "
                      L"says what it is (a .png twin for PNG) leaves no doubt");
  }
  if (picture.size &&
      (picture.size->width != expected.width || picture.size->height != expected.height)) {
    findings.Warn(relative, L"",
                  L"is " + SizeText(*picture.size) + L" pixels; the page has room for " +
                      SizeText(expected) +
                      L": it is shown at its own size, cut off where larger and leaving a gap "
                      L"where smaller");
  }
}

void CheckIconFile(const PackageFolder& package, const std::wstring& relative,
                   std::wstring_view shownBy, Findings& findings) {
  const auto bytes = package.ReadFile(relative);
  // ICONDIR: reserved 0, type 1, the image count, then one 16-byte entry per image whose data
  // (size, offset) must lie inside the file.
  bool icon = bytes && bytes->size() >= 6 && (*bytes)[0] == 0 && (*bytes)[1] == 0 &&
              (*bytes)[2] == 1 && (*bytes)[3] == 0;
  if (icon) {
    const std::size_t count = (*bytes)[4] | (*bytes)[5] << 8;
    icon = count > 0 && bytes->size() >= 6 + 16 * count;
    for (std::size_t i = 0; icon && i < count; ++i) {
      const std::size_t entry = 6 + 16 * i;
      const std::uint64_t size = Little32(*bytes, entry + 8);
      const std::uint64_t offset = Little32(*bytes, entry + 12);
      icon = size > 0 && offset + size <= bytes->size();
    }
  }
  if (!icon) {
    findings.Add(relative, L"",
                 L"not an icon (.ico) by its content: " + std::wstring(shownBy) +
                     L" shows Windows' default icon instead");
  }
}

}  // namespace package_check
