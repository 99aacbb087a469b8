// FreeXL as a second reader: on every fixture it can read, each cell text of ours must say what
// FreeXL's value says. FreeXL gives typed values, so the comparison is by kind:
//  - text: equal after converting FreeXL's UTF-8;
//  - double or int: our text parsed with strtod must equal it exactly (our texts round-trip);
//  - int for a BOOLERR cell: FreeXL gives the stored byte as 0 or 1, so "TRUE" must be 1,
//    "FALSE" 0, and an error literal 1 except "#NULL!" (code 0);
//  - null: our text is empty (FreeXL has no value for blanks), except in formula cells: FreeXL
//    skips FORMULA records, so it cannot judge their results (the fixture's .formulas file
//    lists them; the fixture test checks them against the expected texts instead).
// FreeXL's sheet is as large as the DIMENSIONS record says; cells outside ours must be null.
#include <freexl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/xls/sheet.h"
#include "tests/xls/fixture_files.h"

namespace xls_fixtures {
namespace {

class FreeXlBook {
 public:
  explicit FreeXlBook(const std::string& path) { status_ = freexl_open(path.c_str(), &handle_); }
  ~FreeXlBook() { freexl_close(handle_); }
  FreeXlBook(const FreeXlBook&) = delete;
  FreeXlBook& operator=(const FreeXlBook&) = delete;

  bool ok() const { return status_ == FREEXL_OK; }
  const void* handle() const { return handle_; }

  // Selects the sheet of that name, ignoring ASCII case as our reader does.
  bool SelectSheet(const std::string& name) {
    unsigned int count = 0;
    if (freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK) return false;
    for (unsigned short i = 0; i < count; ++i) {
      const char* sheetName = nullptr;
      if (freexl_get_worksheet_name(handle_, i, &sheetName) != FREEXL_OK) continue;
      std::string folded(sheetName);
      std::string wanted(name);
      for (std::string* text : {&folded, &wanted}) {
        std::transform(text->begin(), text->end(), text->begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
      }
      if (folded == wanted) return freexl_select_active_worksheet(handle_, i) == FREEXL_OK;
    }
    return false;
  }

 private:
  const void* handle_ = nullptr;
  int status_ = 0;
};

// The cells listed in the fixture's .formulas file, as (row, column).
std::set<std::pair<std::size_t, std::size_t>> FormulaCells(const Fixture& fixture) {
  std::set<std::pair<std::size_t, std::size_t>> cells;
  const std::string name = fixture.file.substr(0, fixture.file.find('.')) + ".formulas";
  std::ifstream in(FixturePath(name));
  std::size_t row = 0;
  std::size_t column = 0;
  while (in >> row >> column) cells.emplace(row, column);
  return cells;
}

bool ParsesTo(const std::wstring& text, double value) {
  const std::string narrow = Utf8FromWide(text);
  char* end = nullptr;
  const double parsed = std::strtod(narrow.c_str(), &end);
  return !narrow.empty() && *end == '\0' && parsed == value;
}

bool BoolErrAgrees(const std::wstring& text, int value) {
  if (text == L"TRUE") return value == 1;
  if (text == L"FALSE") return value == 0;
  if (text == L"#NULL!") return value == 0;
  return !text.empty() && text[0] == L'#' && value == 1;
}

testing::AssertionResult Agrees(const std::wstring& ours, const FreeXL_CellValue& theirs) {
  bool same = false;
  std::string description;
  switch (theirs.type) {
    case FREEXL_CELL_NULL:
      same = ours.empty();
      description = "null";
      break;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
      same = ours == WideFromUtf8(theirs.value.text_value);
      description = std::string("text \"") + theirs.value.text_value + "\"";
      break;
    case FREEXL_CELL_INT:
      same = ParsesTo(ours, theirs.value.int_value) || BoolErrAgrees(ours, theirs.value.int_value);
      description = "int " + std::to_string(theirs.value.int_value);
      break;
    case FREEXL_CELL_DOUBLE:
      same = ParsesTo(ours, theirs.value.double_value);
      description = "double " + std::to_string(theirs.value.double_value);
      break;
    default:
      description = "date or time " + std::string(theirs.value.text_value);
      break;
  }
  if (same) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "ours \"" << Utf8FromWide(ours) << "\", FreeXL " << description;
}

class FreeXlOracleTest : public testing::TestWithParam<Fixture> {};

TEST_P(FreeXlOracleTest, EveryCellAgrees) {
  const Fixture& fixture = GetParam();
  const std::vector<std::uint8_t> bytes = ReadFileBytes(FixturePath(fixture.file));
  const xls::SheetReadResult ours = xls::ReadSheet(bytes, WideFromUtf8(fixture.sheet));
  ASSERT_EQ(ours.error, xls::ReadError::kNone);

  FreeXlBook book(FixturePath(fixture.file).string());
  ASSERT_TRUE(book.ok());
  ASSERT_TRUE(book.SelectSheet(fixture.sheet));
  unsigned int theirRows = 0;
  unsigned short theirColumns = 0;
  ASSERT_EQ(freexl_worksheet_dimensions(book.handle(), &theirRows, &theirColumns), FREEXL_OK);

  const std::set<std::pair<std::size_t, std::size_t>> formulas = FormulaCells(fixture);
  const std::size_t ourRows = ours.sheet.rows.size() + (ours.sheet.columns.empty() ? 0 : 1);
  const std::size_t ourColumns = ours.sheet.columns.size();
  const std::wstring empty;
  std::size_t disagreements = 0;
  for (std::size_t r = 0; r < std::max<std::size_t>(ourRows, theirRows); ++r) {
    for (std::size_t c = 0; c < std::max<std::size_t>(ourColumns, theirColumns); ++c) {
      const bool inOurs = r < ourRows && c < ourColumns;
      const std::wstring& text = !inOurs  ? empty
                                 : r == 0 ? ours.sheet.columns[c]
                                          : ours.sheet.rows[r - 1][c];
      FreeXL_CellValue value{};
      value.type = FREEXL_CELL_NULL;
      if (r < theirRows && c < theirColumns) {
        ASSERT_EQ(freexl_get_cell_value(book.handle(), static_cast<unsigned int>(r),
                                        static_cast<unsigned short>(c), &value),
                  FREEXL_OK);
      }
      if (value.type == FREEXL_CELL_NULL && formulas.contains({r, c})) continue;
      const testing::AssertionResult agrees = Agrees(text, value);
      if (!agrees && ++disagreements <= 10) {
        ADD_FAILURE() << "cell (" << r << ", " << c << "): " << agrees.message();
      }
    }
  }
  EXPECT_EQ(disagreements, 0u);
}

std::vector<Fixture> OracleFixtures() {
  std::vector<Fixture> fixtures = LoadManifest();
  std::erase_if(fixtures, [](const Fixture& fixture) { return !fixture.oracle; });
  return fixtures;
}

INSTANTIATE_TEST_SUITE_P(Manifest, FreeXlOracleTest, testing::ValuesIn(OracleFixtures()),
                         [](const testing::TestParamInfo<Fixture>& info) {
                           return FixtureName(info.param);
                         });

}  // namespace
}  // namespace xls_fixtures
