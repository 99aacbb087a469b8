// The result of reading one sheet of an Excel 97-2003 workbook: the header row as column names
// and every further row as cell texts, as a database provider would deliver them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace xls {

enum class ReadError {
  kNone,
  kNotCompoundFile,     // no compound-file signature, or a header that cannot be right
  kCorruptCompoundFile, // FAT/DIFAT/mini-FAT chains that loop or leave the file, directory cycles
  kNoWorkbookStream,    // neither "Workbook" nor anything else readable as BIFF8
  kUnsupportedFormat,   // BIFF5 and older
  kEncrypted,           // FILEPASS
  kCorruptWorkbook,     // records that run past their stream, malformed SST, ...
  kSheetMissing,        // no sheet of the asked name
};

struct Sheet {
  // Header texts of the first row, one per column from column 0 to the last used column.
  std::vector<std::wstring> columns;
  // Rows after the header, up to the last row that holds a cell (blank rows between included).
  // Each row has exactly columns.size() cells; missing cells are "".
  std::vector<std::vector<std::wstring>> rows;
};

struct SheetReadResult {
  Sheet sheet;  // on failure: what was read before the failure
  ReadError error = ReadError::kNone;
};

// Reads the sheet named `sheetName` (compared without regard to letter case) from the bytes of
// a whole .xls file. Never reads outside `bytes`, never loops without bound.
SheetReadResult ReadSheet(std::span<const std::uint8_t> bytes, std::wstring_view sheetName);

}  // namespace xls
