// Turns the UTF-16 code units stored in a workbook into std::wstring. Where wchar_t holds 16
// bits (Windows) the units are kept as they are; where it holds 32 bits (Linux) a surrogate
// pair becomes one code point. A surrogate without its partner is kept as it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace xls {

class WideTextBuilder {
 public:
  void Reserve(std::size_t units) { text_.reserve(units); }

  void Append(char16_t unit) {
    if constexpr (sizeof(wchar_t) == 2) {
      text_.push_back(static_cast<wchar_t>(unit));
    } else {
      AppendCombining(unit);
    }
  }

  // Characters as a workbook stores them: `count` single bytes (Latin-1, the high byte of each
  // code unit being zero), or `count` little-endian pairs of bytes.
  void AppendNarrow(const std::uint8_t* bytes, std::size_t count);
  void AppendWide(const std::uint8_t* bytes, std::size_t count);

  // Returns the text and leaves the builder empty.
  std::wstring Finish();

 private:
  void AppendCombining(char16_t unit);
  void FlushPending();

  std::wstring text_;
  char16_t pendingHigh_ = 0;
};

// Converts a whole run of code units at once.
std::wstring WideFromUtf16(std::u16string_view units);

}  // namespace xls
