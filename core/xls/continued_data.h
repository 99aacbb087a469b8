// Reads the data of a record together with the CONTINUE records that extend it. Plain fields
// run on from one record into the next; character arrays restart in each record with a byte
// telling whether the characters that follow take one byte or two.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/xls/biff_records.h"
#include "core/xls/wide_text.h"

namespace xls {

class ContinuedData {
 public:
  // Takes `first` and every CONTINUE record that directly follows it in `records`.
  ContinuedData(std::span<const std::uint8_t> first, BiffRecordReader& records);
  // For data known not to be continued.
  explicit ContinuedData(std::span<const std::uint8_t> only);

  // Each returns false when the data runs out, leaving the position somewhere before the end.
  bool ReadU8(std::uint8_t& value);
  bool ReadU16(std::uint16_t& value);
  bool ReadU32(std::uint32_t& value);
  bool Skip(std::uint64_t count);
  bool ReadCharacters(std::size_t count, bool twoByteCharacters, WideTextBuilder& text);

  bool AtEnd();

 private:
  // Moves past exhausted parts; false when none is left.
  bool SkipExhaustedParts();

  std::vector<std::span<const std::uint8_t>> parts_;
  std::size_t part_ = 0;
  std::size_t offset_ = 0;
};

}  // namespace xls
