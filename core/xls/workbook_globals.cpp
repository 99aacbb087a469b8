#include "core/xls/workbook_globals.h"

#include <utility>

#include "core/xls/biff_strings.h"
#include "core/xls/continued_data.h"
#include "core/xls/little_endian.h"
#include "core/xls/shared_strings.h"

namespace xls {
namespace {

constexpr std::size_t kMinBofSize = 4;
constexpr std::size_t kBoundSheetFixedSize = 6;

ReadError ReadBoundSheet(std::span<const std::uint8_t> data, std::vector<SheetInfo>& sheets) {
  if (data.size() < kBoundSheetFixedSize) return ReadError::kCorruptWorkbook;
  SheetInfo sheet;
  sheet.streamOffset = LoadU32(data, 0);
  sheet.type = data[5];
  ContinuedData name(data.subspan(kBoundSheetFixedSize));
  if (!ReadShortUnicodeString(name, sheet.name)) return ReadError::kCorruptWorkbook;
  sheets.push_back(std::move(sheet));
  return ReadError::kNone;
}

}  // namespace

ReadError CheckBof(const BiffRecord& bof, std::uint16_t substreamType) {
  if (bof.id == record_id::kBofBiff2 || bof.id == record_id::kBofBiff3 ||
      bof.id == record_id::kBofBiff4) {
    return ReadError::kUnsupportedFormat;
  }
  if (bof.id != record_id::kBof || bof.data.size() < kMinBofSize) {
    return ReadError::kCorruptWorkbook;
  }
  if (LoadU16(bof.data, 0) != kBiff8Version) return ReadError::kUnsupportedFormat;
  if (LoadU16(bof.data, 2) != substreamType) return ReadError::kCorruptWorkbook;
  return ReadError::kNone;
}

ReadError ReadWorkbookGlobals(std::span<const std::uint8_t> stream, WorkbookGlobals& globals) {
  BiffRecordReader records(stream);
  BiffRecord record;
  if (!records.Next(record)) return ReadError::kCorruptWorkbook;
  if (ReadError error = CheckBof(record, kGlobalsSubstream); error != ReadError::kNone) {
    return error;
  }
  while (records.Next(record)) {
    ReadError error = ReadError::kNone;
    switch (record.id) {
      case record_id::kEof:
        return ReadError::kNone;
      case record_id::kFilePass:
        return ReadError::kEncrypted;
      case record_id::kBoundSheet:
        error = ReadBoundSheet(record.data, globals.sheets);
        break;
      case record_id::kSst:
        error = ReadSharedStrings(record.data, records, globals.sharedStrings);
        break;
      default:
        break;
    }
    if (error != ReadError::kNone) return error;
  }
  // The stream ended before the EOF record: it was cut short.
  return ReadError::kCorruptWorkbook;
}

}  // namespace xls
