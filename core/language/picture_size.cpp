#include "core/language/picture_size.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <iterator>

namespace localisation {
namespace {

std::uint32_t BigEndian32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
         (std::uint32_t{bytes[at + 2]} << 8) | std::uint32_t{bytes[at + 3]};
}

std::int32_t LittleEndian32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::int32_t>(std::uint32_t{bytes[at]} | (std::uint32_t{bytes[at + 1]} << 8) |
                                   (std::uint32_t{bytes[at + 2]} << 16) |
                                   (std::uint32_t{bytes[at + 3]} << 24));
}

}  // namespace

std::optional<PictureSize> ReadPictureSize(std::span<const std::uint8_t> bytes) {
  static constexpr std::uint8_t kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() >= 24 && std::equal(std::begin(kPng), std::end(kPng), bytes.begin()) &&
      BigEndian32(bytes, 12) == 0x49484452) {  // "IHDR"
    const std::uint32_t width = BigEndian32(bytes, 16);
    const std::uint32_t height = BigEndian32(bytes, 20);
    if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) return {};
    return PictureSize{static_cast<int>(width), static_cast<int>(height)};
  }
  if (bytes.size() >= 26 && bytes[0] == 'B' && bytes[1] == 'M' && LittleEndian32(bytes, 14) >= 40) {
    const std::int32_t width = LittleEndian32(bytes, 18);
    const std::int32_t height = LittleEndian32(bytes, 22);  // negative: stored top down
    if (width <= 0 || height == 0 || height == INT32_MIN) return {};
    return PictureSize{width, std::abs(height)};
  }
  return {};
}

}  // namespace localisation
