#include "core/xls/cell_values.h"

#include <bit>

namespace xls {

double DecodeRk(std::uint32_t rk) {
  constexpr std::uint32_t kDividedBy100 = 0x1;
  constexpr std::uint32_t kInteger = 0x2;
  double value = 0;
  if ((rk & kInteger) != 0) {
    value = static_cast<std::int32_t>(rk) >> 2;
  } else {
    value = std::bit_cast<double>(static_cast<std::uint64_t>(rk & 0xFFFFFFFC) << 32);
  }
  return (rk & kDividedBy100) != 0 ? value / 100 : value;
}

std::wstring BooleanText(bool value) {
  return value ? L"TRUE" : L"FALSE";
}

std::wstring ErrorText(std::uint8_t code) {
  switch (code) {
    case 0x00:
      return L"#NULL!";
    case 0x07:
      return L"#DIV/0!";
    case 0x0F:
      return L"#VALUE!";
    case 0x17:
      return L"#REF!";
    case 0x1D:
      return L"#NAME?";
    case 0x24:
      return L"#NUM!";
    case 0x2B:
      return L"#GETTING_DATA";
    default:
      return L"#N/A";
  }
}

}  // namespace xls
