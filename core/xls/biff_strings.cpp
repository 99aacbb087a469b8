#include "core/xls/biff_strings.h"

#include <cstdint>

namespace xls {
namespace {

constexpr std::uint8_t kTwoByteCharacters = 0x01;
constexpr std::uint8_t kHasPhoneticData = 0x04;
constexpr std::uint8_t kHasFormattingRuns = 0x08;
constexpr std::uint32_t kFormattingRunSize = 4;

bool ReadCharacters(ContinuedData& data, std::size_t count, std::uint8_t options,
                    std::wstring& text) {
  WideTextBuilder builder;
  builder.Reserve(count);
  if (!data.ReadCharacters(count, (options & kTwoByteCharacters) != 0, builder)) return false;
  text = builder.Finish();
  return true;
}

}  // namespace

bool ReadUnicodeString(ContinuedData& data, std::wstring& text) {
  std::uint16_t count = 0;
  std::uint8_t options = 0;
  return data.ReadU16(count) && data.ReadU8(options) && ReadCharacters(data, count, options, text);
}

bool ReadShortUnicodeString(ContinuedData& data, std::wstring& text) {
  std::uint8_t count = 0;
  std::uint8_t options = 0;
  return data.ReadU8(count) && data.ReadU8(options) && ReadCharacters(data, count, options, text);
}

bool ReadRichExtendedString(ContinuedData& data, std::wstring& text) {
  std::uint16_t count = 0;
  std::uint8_t options = 0;
  if (!data.ReadU16(count) || !data.ReadU8(options)) return false;
  std::uint16_t runCount = 0;
  if ((options & kHasFormattingRuns) != 0 && !data.ReadU16(runCount)) return false;
  std::uint32_t phoneticSize = 0;
  if ((options & kHasPhoneticData) != 0 && !data.ReadU32(phoneticSize)) return false;
  return ReadCharacters(data, count, options, text) &&
         data.Skip(std::uint64_t{runCount} * kFormattingRunSize) && data.Skip(phoneticSize);
}

}  // namespace xls
