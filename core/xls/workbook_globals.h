// The workbook globals substream: the sheet list and the shared string table.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/xls/biff_records.h"
#include "core/xls/sheet.h"

namespace xls {

struct SheetInfo {
  std::wstring name;
  std::uint32_t streamOffset = 0;  // of the sheet's BOF record
  std::uint8_t type = 0;           // 0 worksheet, 1 macro sheet, 2 chart, 6 VBA module
};

inline constexpr std::uint8_t kWorksheetType = 0;

struct WorkbookGlobals {
  std::vector<SheetInfo> sheets;
  std::vector<std::wstring> sharedStrings;
};

// Checks that `bof` opens a BIFF8 substream of the given type. Older BIFF versions give
// kUnsupportedFormat.
ReadError CheckBof(const BiffRecord& bof, std::uint16_t substreamType);

// Reads the globals substream at the start of a Workbook stream. An encrypted workbook gives
// kEncrypted.
ReadError ReadWorkbookGlobals(std::span<const std::uint8_t> stream, WorkbookGlobals& globals);

}  // namespace xls
