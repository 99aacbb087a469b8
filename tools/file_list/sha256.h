// SHA-256 of a byte sequence, as lower-case hexadecimal text.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace file_list {

std::string Sha256Hex(std::span<const std::uint8_t> bytes);

}  // namespace file_list
