#include "core/xls/wide_text.h"

#include <utility>

namespace xls {
namespace {

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

void WideTextBuilder::AppendCombining(char16_t unit) {
  if (pendingHigh_ != 0) {
    if (IsLowSurrogate(unit)) {
      text_.push_back(
          static_cast<wchar_t>(0x10000 + ((pendingHigh_ - 0xD800) << 10) + (unit - 0xDC00)));
      pendingHigh_ = 0;
      return;
    }
    text_.push_back(static_cast<wchar_t>(pendingHigh_));
    pendingHigh_ = 0;
  }
  if (IsHighSurrogate(unit)) {
    pendingHigh_ = unit;
  } else {
    text_.push_back(static_cast<wchar_t>(unit));
  }
}

void WideTextBuilder::FlushPending() {
  if (pendingHigh_ != 0) {
    text_.push_back(static_cast<wchar_t>(pendingHigh_));
    pendingHigh_ = 0;
  }
}

void WideTextBuilder::AppendNarrow(const std::uint8_t* bytes, std::size_t count) {
  FlushPending();
  const std::size_t start = text_.size();
  text_.resize(start + count);
  wchar_t* out = text_.data() + start;
  for (std::size_t i = 0; i < count; ++i) out[i] = bytes[i];
}

void WideTextBuilder::AppendWide(const std::uint8_t* bytes, std::size_t count) {
  // Each unit writes at most one character, plus one for a surrogate left over from before.
  const std::size_t start = text_.size();
  text_.resize(start + count + 1);
  wchar_t* out = text_.data();
  std::size_t length = start;
  for (std::size_t i = 0; i < count; ++i) {
    const char16_t unit = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    if constexpr (sizeof(wchar_t) == 2) {
      out[length++] = static_cast<wchar_t>(unit);
      continue;
    }
    if (pendingHigh_ != 0) {
      if (IsLowSurrogate(unit)) {
        out[length++] =
            static_cast<wchar_t>(0x10000 + ((pendingHigh_ - 0xD800) << 10) + (unit - 0xDC00));
        pendingHigh_ = 0;
        continue;
      }
      out[length++] = static_cast<wchar_t>(pendingHigh_);
      pendingHigh_ = 0;
    }
    if (IsHighSurrogate(unit)) {
      pendingHigh_ = unit;
    } else {
      out[length++] = static_cast<wchar_t>(unit);
    }
  }
  text_.resize(length);
}

std::wstring WideTextBuilder::Finish() {
  FlushPending();
  std::wstring text = std::move(text_);
  text_.clear();
  return text;
}

std::wstring WideFromUtf16(std::u16string_view units) {
  WideTextBuilder builder;
  builder.Reserve(units.size());
  for (char16_t unit : units) builder.Append(unit);
  return builder.Finish();
}

}  // namespace xls
