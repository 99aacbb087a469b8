// The result of reading one sheet of an Excel 97-2003 workbook: the header row as column names
// and every further row as cell texts, as a database provider would deliver them.
//
// Cell texts:
//  - Strings as stored. wchar_t is 16 bits on Windows and 32 bits on Linux; a character beyond
//    the Basic Multilingual Plane is a surrogate pair on Windows and one code point on Linux.
//    A lone surrogate is kept as it is.
//  - Numbers: the shortest decimal text that reads back as the same double, laid out like
//    JavaScript's Number-to-string: "1", "2.5", "-3", "0.1", "123456789012345680000", then
//    exponent form from 1e21 ("1e+21") and below 1e-6 ("1.5e-7"). Number formats (dates,
//    percentages, ...) are not applied: a date gives its serial number.
//  - Booleans: "TRUE" and "FALSE". Errors: Excel's literals, "#DIV/0!", "#N/A", ...
//  - Formulas: the result Excel stored with them, as any of the above.
//  - Cells that are only formatted (no value) are empty and do not extend the sheet.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace xls {

enum class ReadError {
  kNone,
  kNotCompoundFile,      // no compound-file signature, or a header that cannot be right
  kCorruptCompoundFile,  // FAT/DIFAT/mini-FAT chains that loop or leave the file, directory cycles
  kNoWorkbookStream,     // neither "Workbook" nor anything else readable as BIFF8
  kUnsupportedFormat,    // BIFF5 and older
  kEncrypted,            // FILEPASS
  kCorruptWorkbook,      // records that run past their stream, malformed SST, ...
  kSheetMissing,         // no sheet of the asked name
  kSheetTooLarge,        // more cells than ReadLimits::maxCells, counting rows times columns
};

struct ReadLimits {
  // The most cells a sheet may span, counting rows times columns: empty cells cost memory too,
  // and a single value far down a sparse sheet makes a large sheet.
  std::size_t maxCells = std::size_t{1} << 22;
};

struct Sheet {
  // Header texts of the first row (row 1 in Excel), one per column from column 0 to the last
  // column that holds a value in any row; columns without a header text have "".
  std::vector<std::wstring> columns;
  // Rows after the header, up to the last row that holds a cell (blank rows between included).
  // Each row has exactly columns.size() cells; missing cells are "".
  std::vector<std::vector<std::wstring>> rows;
};

struct SheetReadResult {
  Sheet sheet;  // on failure: what was read before the failure
  ReadError error = ReadError::kNone;
};

// Reads the worksheet named `sheetName` (compared without regard to letter case; chart and
// macro sheets do not count) from the bytes of a whole .xls file. Never reads outside `bytes`,
// never loops without bound.
SheetReadResult ReadSheet(std::span<const std::uint8_t> bytes, std::wstring_view sheetName,
                          const ReadLimits& limits = {});

}  // namespace xls
