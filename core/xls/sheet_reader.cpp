#include <cstdint>
#include <vector>

#include "core/xls/cell_grid.h"
#include "core/xls/compound_file.h"
#include "core/xls/letter_case.h"
#include "core/xls/sheet.h"
#include "core/xls/workbook_globals.h"
#include "core/xls/worksheet_cells.h"

namespace xls {
namespace {

const SheetInfo* FindWorksheet(const std::vector<SheetInfo>& sheets, std::wstring_view name) {
  for (const SheetInfo& sheet : sheets) {
    if (sheet.type == kWorksheetType && EqualIgnoringCase(sheet.name, name)) return &sheet;
  }
  return nullptr;
}

// Reads the Workbook stream. A broken chain still gives the bytes before the break, so that
// the rows in them can be returned along with the error.
ReadError ReadWorkbookStream(std::span<const std::uint8_t> file, std::vector<std::uint8_t>& stream,
                             ReadError& containerError) {
  CompoundFile compoundFile;
  if (ReadError error = compoundFile.Open(file); error != ReadError::kNone) return error;
  const DirectoryEntry* workbook = nullptr;
  if (ReadError error = compoundFile.FindRootStream(u"Workbook", workbook);
      error != ReadError::kNone) {
    return error;
  }
  if (workbook == nullptr) {
    // Excel 5.0 and 95 (BIFF5 and BIFF7) named the stream "Book".
    const DirectoryEntry* book = nullptr;
    compoundFile.FindRootStream(u"Book", book);
    return book != nullptr ? ReadError::kUnsupportedFormat : ReadError::kNoWorkbookStream;
  }
  containerError = compoundFile.ReadStream(*workbook, stream);
  return ReadError::kNone;
}

}  // namespace

SheetReadResult ReadSheet(std::span<const std::uint8_t> bytes, std::wstring_view sheetName,
                          const ReadLimits& limits) {
  SheetReadResult result;
  std::vector<std::uint8_t> stream;
  ReadError containerError = ReadError::kNone;
  if (ReadError error = ReadWorkbookStream(bytes, stream, containerError);
      error != ReadError::kNone) {
    result.error = error;
    return result;
  }
  // A broken container explains whatever goes wrong in the partial stream, so its error wins.
  auto firstError = [containerError](ReadError error) {
    return containerError != ReadError::kNone ? containerError : error;
  };

  WorkbookGlobals globals;
  if (ReadError error = ReadWorkbookGlobals(stream, globals); error != ReadError::kNone) {
    result.error = firstError(error);
    return result;
  }
  const SheetInfo* sheet = FindWorksheet(globals.sheets, sheetName);
  if (sheet == nullptr) {
    result.error = firstError(ReadError::kSheetMissing);
    return result;
  }
  CellGrid grid(limits.maxCells);
  result.error =
      firstError(ReadWorksheetCells(stream, sheet->streamOffset, globals.sharedStrings, grid));
  grid.TakeSheet(result.sheet);
  return result;
}

}  // namespace xls
