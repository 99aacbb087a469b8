// The width and height of a BMP or PNG picture, read from its header.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace localisation {

struct PictureSize {
  int width;
  int height;
  bool operator==(const PictureSize&) const = default;
};

// Nothing when the bytes begin neither as a BMP (with a BITMAPINFOHEADER or later) nor as a PNG.
std::optional<PictureSize> ReadPictureSize(std::span<const std::uint8_t> bytes);

}  // namespace localisation
