// The reader against workbooks written by xlwt and against broken copies of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/xls/sheet.h"
#include "tests/xls/fixture_files.h"

namespace xls_fixtures {
namespace {

using Rows = std::vector<std::vector<std::wstring>>;

Rows AllRows(const xls::Sheet& sheet) {
  Rows rows;
  if (!sheet.columns.empty() || !sheet.rows.empty()) rows.push_back(sheet.columns);
  rows.insert(rows.end(), sheet.rows.begin(), sheet.rows.end());
  return rows;
}

// Compares row by row, naming the first differing cell rather than dumping whole sheets.
testing::AssertionResult SameRows(const Rows& actual, const Rows& expected) {
  for (std::size_t r = 0; r < std::min(actual.size(), expected.size()); ++r) {
    if (actual[r].size() != expected[r].size()) {
      return testing::AssertionFailure() << "row " << r << " has " << actual[r].size()
                                         << " cells, expected " << expected[r].size();
    }
    for (std::size_t c = 0; c < actual[r].size(); ++c) {
      if (actual[r][c] != expected[r][c]) {
        return testing::AssertionFailure()
               << "cell (" << r << ", " << c << ") is \"" << Utf8FromWide(actual[r][c])
               << "\", expected \"" << Utf8FromWide(expected[r][c]) << "\"";
      }
    }
  }
  if (actual.size() != expected.size()) {
    return testing::AssertionFailure() << actual.size() << " rows, expected " << expected.size();
  }
  return testing::AssertionSuccess();
}

// After a failure midway the rows read so far come back: the leading rows, the last of them
// possibly incomplete.
testing::AssertionResult LeadingRows(const Rows& actual, const Rows& expected) {
  if (actual.size() < 2 || actual.size() > expected.size()) {
    return testing::AssertionFailure() << actual.size() << " rows kept of " << expected.size();
  }
  const std::size_t last = actual.size() - 1;
  if (testing::AssertionResult same = SameRows(Rows(actual.begin(), actual.begin() + last),
                                               Rows(expected.begin(), expected.begin() + last));
      !same) {
    return same;
  }
  for (std::size_t c = 0; c < actual[last].size(); ++c) {
    if (!actual[last][c].empty() && actual[last][c] != expected[last][c]) {
      return testing::AssertionFailure() << "last kept row differs in column " << c;
    }
  }
  return testing::AssertionSuccess();
}

xls::SheetReadResult ReadFixture(std::string_view file, std::wstring_view sheet) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(FixturePath(file));
  EXPECT_FALSE(bytes.empty()) << file;
  return xls::ReadSheet(bytes, sheet);
}

class FixtureTest : public testing::TestWithParam<Fixture> {};

TEST_P(FixtureTest, GivesExpectedErrorAndTexts) {
  const Fixture& fixture = GetParam();
  const xls::SheetReadResult result = ReadFixture(fixture.file, WideFromUtf8(fixture.sheet));
  EXPECT_EQ(ErrorName(result.error), fixture.error);
  const Rows actual = AllRows(result.sheet);
  for (const std::vector<std::wstring>& row : result.sheet.rows) {
    ASSERT_EQ(row.size(), result.sheet.columns.size());
  }
  if (fixture.expected.empty()) {
    EXPECT_TRUE(actual.empty());
  } else if (fixture.error == "kNone") {
    EXPECT_TRUE(SameRows(actual, ReadExpectedRows(fixture.expected)));
  } else {
    EXPECT_TRUE(LeadingRows(actual, ReadExpectedRows(fixture.expected)));
  }
}

INSTANTIATE_TEST_SUITE_P(Manifest, FixtureTest, testing::ValuesIn(LoadManifest()),
                         [](const testing::TestParamInfo<Fixture>& info) {
                           return FixtureName(info.param);
                         });

TEST(XlsFixtureTest, ManifestListsTheFixtures) {
  EXPECT_GE(LoadManifest().size(), 20u);
}

TEST(XlsFixtureTest, HeaderRowNamesTheLanguageColumns) {
  const xls::SheetReadResult result = ReadFixture("languages.xls", L"Install");
  ASSERT_EQ(result.error, xls::ReadError::kNone);
  ASSERT_EQ(result.sheet.columns.size(), 35u);
  EXPECT_EQ(result.sheet.columns[0], L"Ident");
  EXPECT_EQ(result.sheet.columns[1], L"English");
  EXPECT_EQ(result.sheet.columns[2], L"ChineseT");
  EXPECT_EQ(result.sheet.columns[3], L"ChineseS");
  EXPECT_EQ(result.sheet.columns[34], L"Estonian");
}

TEST(XlsFixtureTest, ReadsTextsOfManyScripts) {
  const xls::SheetReadResult result = ReadFixture("languages.xls", L"Install");
  ASSERT_EQ(result.error, xls::ReadError::kNone);
  ASSERT_FALSE(result.sheet.rows.empty());
  const std::vector<std::wstring>& columns = result.sheet.columns;
  const std::vector<std::wstring>& install = result.sheet.rows[0];
  auto text = [&](std::wstring_view language) {
    return install[std::find(columns.begin(), columns.end(), language) - columns.begin()];
  };
  EXPECT_EQ(text(L"ChineseT"), L"\u5B89\u88DD");
  EXPECT_EQ(text(L"ChineseS"), L"\u5B89\u88C5");
  EXPECT_EQ(text(L"Arabic"), L"\u062A\u062B\u0628\u064A\u062A");
  EXPECT_EQ(text(L"Thai"), L"\u0E15\u0E34\u0E14\u0E15\u0E31\u0E49\u0E07");
  EXPECT_EQ(text(L"Greek"), L"\u0395\u03B3\u03BA\u03B1\u03C4\u03AC\u03C3\u03C4\u03B1\u03C3\u03B7");
  EXPECT_EQ(text(L"Russian"), L"\u0423\u0441\u0442\u0430\u043D\u043E\u0432\u0438\u0442\u044C");
}

TEST(XlsFixtureTest, CharactersBeyondTheBmpAreWholeCodePoints) {
  const xls::SheetReadResult result = ReadFixture("languages.xls", L"Install");
  ASSERT_EQ(result.error, xls::ReadError::kNone);
  ASSERT_GE(result.sheet.rows.size(), 4u);
  const std::wstring& text = result.sheet.rows[3][1];
  EXPECT_EQ(text, L"\U0001F600 English \U0002000B\U0001D11E");
  if constexpr (sizeof(wchar_t) == 4) {
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(static_cast<char32_t>(text[0]), U'\U0001F600');
    EXPECT_EQ(text.size(), 12u);
  }
}

TEST(XlsFixtureTest, FindsEverySheetByName) {
  const xls::SheetReadResult notes = ReadFixture("languages.xls", L"Notes");
  ASSERT_EQ(notes.error, xls::ReadError::kNone);
  ASSERT_EQ(notes.sheet.columns.size(), 1u);
  EXPECT_EQ(notes.sheet.columns[0], L"Note");
  EXPECT_EQ(notes.sheet.rows.size(), 1u);

  const xls::SheetReadResult other = ReadFixture("languages.xls", L"OTHER");
  ASSERT_EQ(other.error, xls::ReadError::kNone);
  EXPECT_EQ(other.sheet.columns, std::vector<std::wstring>{L"x"});
  EXPECT_TRUE(other.sheet.rows.empty());
}

TEST(XlsFixtureTest, KeepsTextsLongerThanOneRecord) {
  const xls::SheetReadResult result = ReadFixture("long_text.xls", L"Install");
  ASSERT_EQ(result.error, xls::ReadError::kNone);
  ASSERT_GE(result.sheet.rows.size(), 4u);
  const std::wstring& latin = result.sheet.rows[0][1];
  ASSERT_EQ(latin.size(), 9500u);
  EXPECT_EQ(latin.substr(0, 3), L"abc");
  EXPECT_EQ(latin.back(), L'a' + 9499 % 26);
  EXPECT_EQ(result.sheet.rows[1][1].size(), 4000u);
}

TEST(XlsFixtureTest, KeepsTextsSplitAnywhereBetweenRecords) {
  const xls::SheetReadResult result = ReadFixture("continue_edges.xls", L"Install");
  ASSERT_EQ(result.error, xls::ReadError::kNone);
  ASSERT_EQ(result.sheet.rows.size(), 7u);
  const std::wstring& astral = result.sheet.rows[1][1];
  ASSERT_EQ(astral.size(), sizeof(wchar_t) == 4 ? 12000u : 18000u);
  EXPECT_EQ(astral.substr(0, sizeof(wchar_t) == 4 ? 2 : 3), L"\U0001F600x");
  EXPECT_EQ(result.sheet.rows[4][1].substr(0, 16), L"run0000 run0001 ");
  EXPECT_EQ(result.sheet.rows[5][1].size(), 9300u);
  EXPECT_EQ(result.sheet.rows[6][1], L"the last string");
}

TEST(XlsFixtureTest, ReadsAllRowsOfALongSheet) {
  const xls::SheetReadResult result = ReadFixture("many_rows.xls", L"Install");
  ASSERT_EQ(result.error, xls::ReadError::kNone);
  ASSERT_EQ(result.sheet.rows.size(), 1199u);
  EXPECT_EQ(result.sheet.rows.back()[0], L"ID_1199");
}

TEST(XlsFixtureTest, BlankRowsInsideAreKeptAndFormattedBlanksDoNotExtend) {
  const xls::SheetReadResult result = ReadFixture("sparse.xls", L"Install");
  ASSERT_EQ(result.error, xls::ReadError::kNone);
  // Six columns: the farthest value sits in column 5, beyond the named ones.
  EXPECT_EQ(result.sheet.columns, (std::vector<std::wstring>{L"Ident", L"A", L"", L"C", L"", L""}));
  // Rows end with the last value; the formatted row after it is not a row.
  ASSERT_EQ(result.sheet.rows.size(), 5u);
  EXPECT_EQ(result.sheet.rows[1], std::vector<std::wstring>(6));
  EXPECT_EQ(result.sheet.rows[4][5], L"beyond the header");
}

TEST(XlsFixtureTest, ReadsAWorkbookLargerThanTheHeadersFatList) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(FixturePath("big.xls"));
  // Past 109 FAT sectors of 128 entries of 512 bytes the FAT continues in DIFAT sectors.
  ASSERT_GT(bytes.size(), 109u * 128 * 512);
  const xls::SheetReadResult result = xls::ReadSheet(bytes, L"Install");
  ASSERT_EQ(result.error, xls::ReadError::kNone);
  ASSERT_EQ(result.sheet.rows.size(), 60000u);
  EXPECT_EQ(result.sheet.rows.back()[0], L"R60000");
}

}  // namespace
}  // namespace xls_fixtures
