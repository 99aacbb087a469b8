#include "core/xls/biff_records.h"

#include "core/xls/little_endian.h"

namespace xls {
namespace {

constexpr std::size_t kRecordHeaderSize = 4;

}  // namespace

bool BiffRecordReader::Next(BiffRecord& record) {
  if (offset_ >= stream_.size()) return false;
  const std::size_t remaining = stream_.size() - offset_;
  if (remaining < kRecordHeaderSize) return false;
  const std::uint16_t size = LoadU16(stream_, offset_ + 2);
  if (remaining - kRecordHeaderSize < size) return false;
  record.id = LoadU16(stream_, offset_);
  record.data = stream_.subspan(offset_ + kRecordHeaderSize, size);
  offset_ += kRecordHeaderSize + size;
  return true;
}

bool BiffRecordReader::NextIs(std::uint16_t id) const {
  return offset_ < stream_.size() && stream_.size() - offset_ >= kRecordHeaderSize &&
         LoadU16(stream_, offset_) == id;
}

}  // namespace xls
