// BIFF8 record ids and a reader that walks the records of a workbook stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace xls {

namespace record_id {
inline constexpr std::uint16_t kBof = 0x0809;
inline constexpr std::uint16_t kBofBiff2 = 0x0009;
inline constexpr std::uint16_t kBofBiff3 = 0x0209;
inline constexpr std::uint16_t kBofBiff4 = 0x0409;
inline constexpr std::uint16_t kEof = 0x000A;
inline constexpr std::uint16_t kFilePass = 0x002F;
inline constexpr std::uint16_t kContinue = 0x003C;
inline constexpr std::uint16_t kBoundSheet = 0x0085;
inline constexpr std::uint16_t kSst = 0x00FC;
inline constexpr std::uint16_t kDimensions = 0x0200;
inline constexpr std::uint16_t kBlank = 0x0201;
inline constexpr std::uint16_t kMulBlank = 0x00BE;
inline constexpr std::uint16_t kNumber = 0x0203;
inline constexpr std::uint16_t kRk = 0x027E;
inline constexpr std::uint16_t kMulRk = 0x00BD;
inline constexpr std::uint16_t kLabel = 0x0204;
inline constexpr std::uint16_t kLabelSst = 0x00FD;
inline constexpr std::uint16_t kRString = 0x00D6;
inline constexpr std::uint16_t kBoolErr = 0x0205;
inline constexpr std::uint16_t kFormula = 0x0006;
inline constexpr std::uint16_t kString = 0x0207;
}  // namespace record_id

// BOF record fields.
inline constexpr std::uint16_t kBiff8Version = 0x0600;
inline constexpr std::uint16_t kGlobalsSubstream = 0x0005;
inline constexpr std::uint16_t kWorksheetSubstream = 0x0010;

struct BiffRecord {
  std::uint16_t id = 0;
  std::span<const std::uint8_t> data;
};

class BiffRecordReader {
 public:
  explicit BiffRecordReader(std::span<const std::uint8_t> stream, std::size_t offset = 0)
      : stream_(stream), offset_(offset) {}

  // Moves to the next record. Returns false at the end of the stream and when the record
  // would run past it.
  bool Next(BiffRecord& record);

  // Whether the record that Next() would give has this id.
  bool NextIs(std::uint16_t id) const;

 private:
  std::span<const std::uint8_t> stream_;
  std::size_t offset_;
};

}  // namespace xls
