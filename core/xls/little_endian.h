// Loads of little-endian integers and doubles from byte spans. Callers check the bounds first.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

namespace xls {

inline std::uint16_t LoadU16(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::uint32_t LoadU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(bytes[offset]) |
         (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
         (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

inline std::uint64_t LoadU64(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return LoadU32(bytes, offset) | (static_cast<std::uint64_t>(LoadU32(bytes, offset + 4)) << 32);
}

inline double LoadF64(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return std::bit_cast<double>(LoadU64(bytes, offset));
}

}  // namespace xls
