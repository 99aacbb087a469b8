#include "core/xls/worksheet_cells.h"

#include <algorithm>
#include <utility>

#include "core/xls/biff_records.h"
#include "core/xls/biff_strings.h"
#include "core/xls/cell_values.h"
#include "core/xls/continued_data.h"
#include "core/xls/little_endian.h"
#include "core/xls/number_text.h"
#include "core/xls/workbook_globals.h"

namespace xls {
namespace {

// Every cell record starts with row, column and format index.
constexpr std::size_t kCellHeaderSize = 6;
constexpr std::size_t kLabelSstSize = 10;
constexpr std::size_t kNumberSize = 14;
constexpr std::size_t kRkSize = 10;
constexpr std::size_t kBoolErrSize = 8;
constexpr std::size_t kFormulaFixedSize = 20;
constexpr std::size_t kDimensionsSize = 14;
constexpr std::size_t kMulRkEntrySize = 6;

class WorksheetReader {
 public:
  WorksheetReader(std::vector<std::wstring>& sharedStrings, CellGrid& grid)
      : sharedStrings_(sharedStrings), grid_(grid) {}

  ReadError Read(std::span<const std::uint8_t> stream, std::uint32_t offset);

 private:
  void CountSharedStringUses(BiffRecordReader records);
  ReadError ReadCellRecord(const BiffRecord& record, BiffRecordReader& records);
  ReadError ReadLabelSst(std::span<const std::uint8_t> data);
  ReadError ReadLabel(std::span<const std::uint8_t> data, BiffRecordReader& records);
  ReadError ReadMulRk(std::span<const std::uint8_t> data);
  ReadError ReadBoolErr(std::span<const std::uint8_t> data);
  ReadError ReadFormula(std::span<const std::uint8_t> data);
  ReadError ReadFormulaString(std::span<const std::uint8_t> data, BiffRecordReader& records);
  void ReadDimensions(std::span<const std::uint8_t> data);
  ReadError SetCell(std::uint16_t row, std::uint16_t column, std::wstring text);

  std::vector<std::wstring>& sharedStrings_;
  // How often the sheet still refers to each shared string: the last use takes the string
  // instead of copying it, which halves the allocations for the usual once-used texts.
  std::vector<std::uint32_t> usesLeft_;
  CellGrid& grid_;
  std::size_t streamSize_ = 0;
  // A FORMULA whose string result follows in a STRING record.
  bool stringResultPending_ = false;
  std::uint16_t pendingRow_ = 0;
  std::uint16_t pendingColumn_ = 0;
};

ReadError WorksheetReader::Read(std::span<const std::uint8_t> stream, std::uint32_t offset) {
  streamSize_ = stream.size();
  if (offset >= stream.size()) return ReadError::kCorruptWorkbook;
  BiffRecordReader records(stream, offset);
  BiffRecord record;
  if (!records.Next(record)) return ReadError::kCorruptWorkbook;
  if (ReadError error = CheckBof(record, kWorksheetSubstream); error != ReadError::kNone) {
    return error;
  }
  CountSharedStringUses(records);
  // Charts embedded in the sheet come as nested BOF ... EOF substreams.
  std::size_t nesting = 0;
  while (records.Next(record)) {
    if (record.id == record_id::kBof) {
      ++nesting;
    } else if (record.id == record_id::kEof) {
      if (nesting == 0) return ReadError::kNone;
      --nesting;
    } else if (nesting == 0) {
      if (ReadError error = ReadCellRecord(record, records); error != ReadError::kNone) {
        return error;
      }
    }
  }
  // The stream ended before the EOF record: it was cut short.
  return ReadError::kCorruptWorkbook;
}

void WorksheetReader::CountSharedStringUses(BiffRecordReader records) {
  usesLeft_.assign(sharedStrings_.size(), 0);
  BiffRecord record;
  std::size_t nesting = 0;
  while (records.Next(record)) {
    if (record.id == record_id::kBof) {
      ++nesting;
    } else if (record.id == record_id::kEof) {
      if (nesting == 0) return;
      --nesting;
    } else if (nesting == 0 && record.id == record_id::kLabelSst &&
               record.data.size() >= kLabelSstSize) {
      const std::uint32_t index = LoadU32(record.data, 6);
      if (index < usesLeft_.size()) ++usesLeft_[index];
    }
  }
}

ReadError WorksheetReader::ReadCellRecord(const BiffRecord& record, BiffRecordReader& records) {
  const std::span<const std::uint8_t> data = record.data;
  switch (record.id) {
    case record_id::kString:
      return ReadFormulaString(data, records);
    case record_id::kLabelSst:
      stringResultPending_ = false;
      return ReadLabelSst(data);
    case record_id::kLabel:
    case record_id::kRString:
      stringResultPending_ = false;
      return ReadLabel(data, records);
    case record_id::kNumber:
      stringResultPending_ = false;
      if (data.size() < kNumberSize) return ReadError::kCorruptWorkbook;
      return SetCell(LoadU16(data, 0), LoadU16(data, 2), NumberText(LoadF64(data, 6)));
    case record_id::kRk:
      stringResultPending_ = false;
      if (data.size() < kRkSize) return ReadError::kCorruptWorkbook;
      return SetCell(LoadU16(data, 0), LoadU16(data, 2), NumberText(DecodeRk(LoadU32(data, 6))));
    case record_id::kMulRk:
      stringResultPending_ = false;
      return ReadMulRk(data);
    case record_id::kBoolErr:
      stringResultPending_ = false;
      return ReadBoolErr(data);
    case record_id::kFormula:
      stringResultPending_ = false;
      return ReadFormula(data);
    case record_id::kDimensions:
      ReadDimensions(data);
      return ReadError::kNone;
    case record_id::kBlank:
    case record_id::kMulBlank:
      stringResultPending_ = false;
      return ReadError::kNone;
    default:
      return ReadError::kNone;
  }
}

ReadError WorksheetReader::ReadLabelSst(std::span<const std::uint8_t> data) {
  if (data.size() < kLabelSstSize) return ReadError::kCorruptWorkbook;
  const std::uint32_t index = LoadU32(data, 6);
  if (index >= sharedStrings_.size()) return ReadError::kCorruptWorkbook;
  if (usesLeft_[index] > 1) {
    --usesLeft_[index];
    return SetCell(LoadU16(data, 0), LoadU16(data, 2), sharedStrings_[index]);
  }
  usesLeft_[index] = 0;
  return SetCell(LoadU16(data, 0), LoadU16(data, 2), std::move(sharedStrings_[index]));
}

ReadError WorksheetReader::ReadLabel(std::span<const std::uint8_t> data,
                                     BiffRecordReader& records) {
  if (data.size() < kCellHeaderSize) return ReadError::kCorruptWorkbook;
  ContinuedData text(data.subspan(kCellHeaderSize), records);
  std::wstring value;
  if (!ReadUnicodeString(text, value)) return ReadError::kCorruptWorkbook;
  return SetCell(LoadU16(data, 0), LoadU16(data, 2), std::move(value));
}

ReadError WorksheetReader::ReadMulRk(std::span<const std::uint8_t> data) {
  // Row, first column, then format index and RK value per cell, then the last column.
  if (data.size() < 4 + 2 || (data.size() - 4 - 2) % kMulRkEntrySize != 0) {
    return ReadError::kCorruptWorkbook;
  }
  const std::uint16_t row = LoadU16(data, 0);
  const std::uint16_t firstColumn = LoadU16(data, 2);
  const std::size_t count = (data.size() - 4 - 2) / kMulRkEntrySize;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t column = firstColumn + i;
    if (column >= CellGrid::kMaxColumns) return ReadError::kCorruptWorkbook;
    const double value = DecodeRk(LoadU32(data, 4 + i * kMulRkEntrySize + 2));
    if (ReadError error = SetCell(row, static_cast<std::uint16_t>(column), NumberText(value));
        error != ReadError::kNone) {
      return error;
    }
  }
  return ReadError::kNone;
}

ReadError WorksheetReader::ReadBoolErr(std::span<const std::uint8_t> data) {
  if (data.size() < kBoolErrSize) return ReadError::kCorruptWorkbook;
  const std::uint8_t value = data[6];
  const bool isError = data[7] != 0;
  return SetCell(LoadU16(data, 0), LoadU16(data, 2),
                 isError ? ErrorText(value) : BooleanText(value != 0));
}

ReadError WorksheetReader::ReadFormula(std::span<const std::uint8_t> data) {
  if (data.size() < kFormulaFixedSize) return ReadError::kCorruptWorkbook;
  const std::uint16_t row = LoadU16(data, 0);
  const std::uint16_t column = LoadU16(data, 2);
  // The cached result: a double, unless its top two bytes are 0xFFFF; then the first byte
  // tells the kind of result and the third holds a boolean or error value.
  if (LoadU16(data, 12) != 0xFFFF) return SetCell(row, column, NumberText(LoadF64(data, 6)));
  constexpr std::uint8_t kStringResult = 0;
  constexpr std::uint8_t kBooleanResult = 1;
  constexpr std::uint8_t kErrorResult = 2;
  switch (data[6]) {
    case kStringResult:
      stringResultPending_ = true;
      pendingRow_ = row;
      pendingColumn_ = column;
      return SetCell(row, column, std::wstring());
    case kBooleanResult:
      return SetCell(row, column, BooleanText(data[8] != 0));
    case kErrorResult:
      return SetCell(row, column, ErrorText(data[8]));
    default:  // an empty string
      return SetCell(row, column, std::wstring());
  }
}

ReadError WorksheetReader::ReadFormulaString(std::span<const std::uint8_t> data,
                                             BiffRecordReader& records) {
  ContinuedData text(data, records);
  if (!stringResultPending_) return ReadError::kNone;
  stringResultPending_ = false;
  std::wstring value;
  if (!ReadUnicodeString(text, value)) return ReadError::kCorruptWorkbook;
  return SetCell(pendingRow_, pendingColumn_, std::move(value));
}

void WorksheetReader::ReadDimensions(std::span<const std::uint8_t> data) {
  if (data.size() < kDimensionsSize) return;
  // Only a hint for reserving: never more rows than the stream could describe.
  constexpr std::size_t kSmallestRowRecord = 20;
  const std::uint32_t rowEnd = LoadU32(data, 4);
  grid_.ReserveRows(std::min<std::size_t>(rowEnd, streamSize_ / kSmallestRowRecord));
}

ReadError WorksheetReader::SetCell(std::uint16_t row, std::uint16_t column, std::wstring text) {
  if (column >= CellGrid::kMaxColumns) return ReadError::kCorruptWorkbook;
  if (!grid_.Set(row, column, std::move(text))) return ReadError::kSheetTooLarge;
  return ReadError::kNone;
}

}  // namespace

ReadError ReadWorksheetCells(std::span<const std::uint8_t> stream, std::uint32_t offset,
                             std::vector<std::wstring>& sharedStrings, CellGrid& grid) {
  WorksheetReader reader(sharedStrings, grid);
  return reader.Read(stream, offset);
}

}  // namespace xls
