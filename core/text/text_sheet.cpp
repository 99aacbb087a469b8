#include "core/text/text_sheet.h"

#include <optional>
#include <string>
#include <vector>

#include "core/strings/string_util.h"

namespace localisation {

namespace {

std::optional<std::size_t> FindColumn(const xls::Sheet& sheet, std::wstring_view header) {
  for (std::size_t i = 0; i < sheet.columns.size(); ++i) {
    if (strings::EqualsIgnoreCase(sheet.columns[i], header)) return i;
  }
  return std::nullopt;
}

std::wstring_view Cell(const std::vector<std::wstring>& row, std::size_t column) {
  return column < row.size() ? std::wstring_view(row[column]) : std::wstring_view();
}

// "[UNINSTALL]" names "UNINSTALL"; the last character goes whatever it is.
std::wstring_view SectionNameOf(std::wstring_view sectionRow) {
  return sectionRow.size() < 2 ? std::wstring_view() : sectionRow.substr(1, sectionRow.size() - 2);
}

}  // namespace

TextSheetStatus FillTextStore(const xls::Sheet& sheet, std::wstring_view columnName,
                              TextStore& store) {
  const std::optional<std::size_t> identColumn = FindColumn(sheet, L"Ident");
  if (!identColumn) return TextSheetStatus::kIdentColumnMissing;
  const std::optional<std::size_t> englishColumn = FindColumn(sheet, L"English");
  if (!englishColumn) return TextSheetStatus::kEnglishColumnMissing;
  const std::size_t textColumn = FindColumn(sheet, columnName).value_or(*englishColumn);

  std::wstring section;
  std::size_t rowCount = 0;
  for (const std::vector<std::wstring>& row : sheet.rows) {
    const std::wstring_view identifier = Cell(row, *identColumn);
    if (identifier.starts_with(L'[')) {
      section = SectionNameOf(identifier);
    } else {
      store.Set(section, identifier, std::wstring(Cell(row, textColumn)));
    }
    if (++rowCount >= kTextSheetRowLimit) break;
  }
  return TextSheetStatus::kRead;
}

TextSheetStatus FillTextStore(const xls::SheetReadResult& read, std::wstring_view columnName,
                              TextStore& store) {
  const TextSheetStatus status = FillTextStore(read.sheet, columnName, store);
  if (read.error != xls::ReadError::kNone) return TextSheetStatus::kSheetUnreadable;
  return status;
}

}  // namespace localisation
