// Filling the text store from the rows of the spreadsheet's text sheet.
#pragma once

#include <cstddef>
#include <string_view>

#include "core/text/text_store.h"
#include "core/xls/sheet.h"

namespace localisation {

enum class TextSheetStatus {
  kRead,
  kIdentColumnMissing,
  kEnglishColumnMissing,
  kSheetUnreadable,  // the workbook or the sheet could not be read (to its end)
};

// At most this many rows after the header are read, section and blank rows included.
inline constexpr std::size_t kTextSheetRowLimit = 1001;

// Stores the text of every row under its section. The text comes from the column headed
// `columnName`, or from the "English" column when the sheet has no such column; headers are
// matched without regard to letter case. A row whose identifier begins with "[" opens the
// section named by the identifier without its first and last character; rows before the first
// such row belong to the section with the empty name. The "Ident" and "English" columns must
// both exist: without them nothing is stored.
TextSheetStatus FillTextStore(const xls::Sheet& sheet, std::wstring_view columnName,
                              TextStore& store);

// The same for the outcome of a sheet read: the rows read before a failure are stored all the
// same, and the failure is reported afterwards.
TextSheetStatus FillTextStore(const xls::SheetReadResult& read, std::wstring_view columnName,
                              TextStore& store);

}  // namespace localisation
