#include "core/xls/continued_data.h"

#include <algorithm>

namespace xls {

ContinuedData::ContinuedData(std::span<const std::uint8_t> first, BiffRecordReader& records) {
  parts_.push_back(first);
  BiffRecord next;
  while (records.NextIs(record_id::kContinue) && records.Next(next)) parts_.push_back(next.data);
}

ContinuedData::ContinuedData(std::span<const std::uint8_t> only) {
  parts_.push_back(only);
}

bool ContinuedData::SkipExhaustedParts() {
  while (part_ < parts_.size() && offset_ == parts_[part_].size()) {
    ++part_;
    offset_ = 0;
  }
  return part_ < parts_.size();
}

bool ContinuedData::AtEnd() {
  return !SkipExhaustedParts();
}

bool ContinuedData::ReadU8(std::uint8_t& value) {
  if (!SkipExhaustedParts()) return false;
  value = parts_[part_][offset_++];
  return true;
}

bool ContinuedData::ReadU16(std::uint16_t& value) {
  std::uint8_t low = 0;
  std::uint8_t high = 0;
  if (!ReadU8(low) || !ReadU8(high)) return false;
  value = static_cast<std::uint16_t>(low | (high << 8));
  return true;
}

bool ContinuedData::ReadU32(std::uint32_t& value) {
  std::uint16_t low = 0;
  std::uint16_t high = 0;
  if (!ReadU16(low) || !ReadU16(high)) return false;
  value = low | (static_cast<std::uint32_t>(high) << 16);
  return true;
}

bool ContinuedData::Skip(std::uint64_t count) {
  while (count > 0) {
    if (!SkipExhaustedParts()) return false;
    const std::size_t step =
        static_cast<std::size_t>(std::min<std::uint64_t>(count, parts_[part_].size() - offset_));
    offset_ += step;
    count -= step;
  }
  return true;
}

bool ContinuedData::ReadCharacters(std::size_t count, bool twoByteCharacters,
                                   WideTextBuilder& text) {
  while (count > 0) {
    if (part_ >= parts_.size()) return false;
    std::span<const std::uint8_t> bytes = parts_[part_];
    if (offset_ == bytes.size()) {
      // The characters go on in the next record, which begins with their width.
      if (++part_ >= parts_.size()) return false;
      offset_ = 0;
      bytes = parts_[part_];
      if (bytes.empty()) continue;
      twoByteCharacters = (bytes[offset_++] & 1) != 0;
    }
    const std::size_t width = twoByteCharacters ? 2 : 1;
    const std::size_t available = std::min(count, (bytes.size() - offset_) / width);
    if (available == 0) {
      // Half a character before the end of the record: a broken writer; drop the byte.
      offset_ = bytes.size();
      continue;
    }
    if (twoByteCharacters) {
      text.AppendWide(bytes.data() + offset_, available);
    } else {
      text.AppendNarrow(bytes.data() + offset_, available);
    }
    offset_ += available * width;
    count -= available;
  }
  return true;
}

}  // namespace xls
