#include "core/text/text_sheet.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace localisation {
namespace {

using Row = std::vector<std::wstring>;

xls::Sheet MakeSheet(Row columns, std::vector<Row> rows) {
  return xls::Sheet{std::move(columns), std::move(rows)};
}

TEST(TextSheetTest, TakesTheLanguageColumnWhateverTheCaseOfItsHeader) {
  const xls::Sheet sheet =
      MakeSheet({L"ident", L"ENGLISH", L"GERMAN"},
                {{L"[InstallWizard]", L"", L""}, {L"bt_Next->Caption", L"Next", L"Weiter"}});
  TextStore store;
  EXPECT_EQ(FillTextStore(sheet, L"German", store), TextSheetStatus::kRead);
  EXPECT_EQ(store.Find(L"InstallWizard", L"bt_Next->Caption"), L"Weiter");
}

TEST(TextSheetTest, FallsBackToEnglishWhenTheLanguageHasNoColumn) {
  const xls::Sheet sheet =
      MakeSheet({L"Ident", L"German", L"English"}, {{L"[InstallWizard]", L"", L""},
                                                    {L"ProductName", L"Erfassung", L"Capture"},
                                                    {L"MSG_001", L"Keine Rechte", L"No rights"}});
  TextStore store;
  EXPECT_EQ(FillTextStore(sheet, L"ChineseT", store), TextSheetStatus::kRead);
  EXPECT_EQ(store.Find(L"InstallWizard", L"ProductName"), L"Capture");
  EXPECT_EQ(store.Find(L"InstallWizard", L"MSG_001"), L"No rights");
}

TEST(TextSheetTest, RequiresIdentAndEnglishColumns) {
  struct Missing {
    Row columns;
    TextSheetStatus status;
  };
  const Missing cases[] = {
      {{L"Id", L"English", L"German"}, TextSheetStatus::kIdentColumnMissing},
      {{L"Ident", L"Englisch", L"German"}, TextSheetStatus::kEnglishColumnMissing},
      {{L"English", L"German"}, TextSheetStatus::kIdentColumnMissing},
      {{}, TextSheetStatus::kIdentColumnMissing},
  };
  for (const Missing& c : cases) {
    SCOPED_TRACE(testing::Message() << c.columns.size() << " columns");
    Row row(c.columns.size(), L"text");
    const xls::Sheet sheet = MakeSheet(c.columns, {row});
    TextStore store;
    EXPECT_EQ(FillTextStore(sheet, L"German", store), c.status);
    EXPECT_EQ(store.Find(L"", L"text"), std::nullopt);
  }
}

struct Placement {
  const wchar_t* section;
  const wchar_t* identifier;
  std::optional<std::wstring> text;
};

void ExpectPlacements(const TextStore& store, std::initializer_list<Placement> placements) {
  for (const Placement& p : placements) {
    SCOPED_TRACE(testing::Message() << "[" << p.section << "] " << p.identifier);
    EXPECT_EQ(store.Find(p.section, p.identifier), p.text);
  }
}

TEST(TextSheetTest, SectionRowsGroupTheRowsAfterThem) {
  const xls::Sheet sheet = MakeSheet({L"Ident", L"English"}, {
                                                                 {L"Early", L"before any section"},
                                                                 {L"[InstallWizard]", L"ignored"},
                                                                 {L"ProductName", L"Capture"},
                                                                 {L"[UNINSTALL", L"ignored"},
                                                                 {L"URL", L"example.com"},
                                                                 {L"[]", L""},
                                                                 {L"Emptied", L"a"},
                                                                 {L"[", L""},
                                                                 {L"Bracket", L"b"},
                                                                 {L"[InstallWizard]", L""},
                                                                 {L"MSG_001", L"No rights"},
                                                             });
  TextStore store;
  ASSERT_EQ(FillTextStore(sheet, L"English", store), TextSheetStatus::kRead);
  ExpectPlacements(store, {
                              {L"", L"Early", L"before any section"},
                              {L"InstallWizard", L"ProductName", L"Capture"},
                              {L"InstallWizard", L"MSG_001", L"No rights"},
                              {L"UNINSTAL", L"URL", L"example.com"},
                              {L"UNINSTALL", L"URL", std::nullopt},
                              {L"", L"Emptied", L"a"},
                              {L"", L"Bracket", L"b"},
                              {L"", L"[InstallWizard]", std::nullopt},
                              {L"InstallWizard", L"[UNINSTALL", std::nullopt},
                          });
}

TEST(TextSheetTest, LaterRowReplacesEarlierAndEmptyCellsAreTexts) {
  const xls::Sheet sheet = MakeSheet({L"Ident", L"English"}, {
                                                                 {L"[InstallWizard]", L""},
                                                                 {L"MSG_101", L"first"},
                                                                 {L"msg_101", L"second"},
                                                                 {L"MSG_102", L""},
                                                             });
  TextStore store;
  ASSERT_EQ(FillTextStore(sheet, L"English", store), TextSheetStatus::kRead);
  ExpectPlacements(store, {
                              {L"InstallWizard", L"MSG_101", L"second"},
                              {L"InstallWizard", L"MSG_102", L""},
                          });
}

TEST(TextSheetTest, ShortRowsReadAsEmptyCells) {
  const xls::Sheet sheet = MakeSheet({L"Ident", L"English", L"German"}, {{L"OnlyIdent"}, {}});
  TextStore store;
  ASSERT_EQ(FillTextStore(sheet, L"German", store), TextSheetStatus::kRead);
  EXPECT_EQ(store.Find(L"", L"OnlyIdent"), L"");
}

// Rows numbered from 1 after the header; row n has the identifier "ID_n".
std::vector<Row> NumberedRows(int count) {
  std::vector<Row> rows;
  for (int n = 1; n <= count; ++n) rows.push_back({L"ID_" + std::to_wstring(n), L"text"});
  return rows;
}

TEST(TextSheetTest, ReadsAtMostOneThousandAndOneRows) {
  std::vector<Row> rows = NumberedRows(1200);
  rows[1100] = {L"[Late]", L""};
  TextStore store;
  ASSERT_EQ(FillTextStore(MakeSheet({L"Ident", L"English"}, rows), L"English", store),
            TextSheetStatus::kRead);
  ExpectPlacements(store, {
                              {L"", L"ID_1", L"text"},
                              {L"", L"ID_1001", L"text"},
                              {L"", L"ID_1002", std::nullopt},
                              {L"", L"ID_1200", std::nullopt},
                              {L"Late", L"ID_1102", std::nullopt},
                          });
}

TEST(TextSheetTest, SectionAndBlankRowsCountTowardsTheRowLimit) {
  std::vector<Row> rows = NumberedRows(1005);
  rows[0] = {L"[InstallWizard]", L""};
  rows[1] = {L"", L""};
  rows[2] = {L"", L""};
  TextStore store;
  ASSERT_EQ(FillTextStore(MakeSheet({L"Ident", L"English"}, rows), L"English", store),
            TextSheetStatus::kRead);
  ExpectPlacements(store, {
                              {L"InstallWizard", L"ID_4", L"text"},
                              {L"InstallWizard", L"ID_1001", L"text"},
                              {L"InstallWizard", L"ID_1002", std::nullopt},
                          });
}

TEST(TextSheetTest, FailedReadKeepsTheRowsReadBeforeTheFailure) {
  xls::SheetReadResult read;
  read.sheet = MakeSheet({L"Ident", L"English"}, {{L"[InstallWizard]", L""}, {L"A", L"kept"}});
  read.error = xls::ReadError::kCorruptWorkbook;
  TextStore store;
  EXPECT_EQ(FillTextStore(read, L"English", store), TextSheetStatus::kSheetUnreadable);
  EXPECT_EQ(store.Find(L"InstallWizard", L"A"), L"kept");
}

TEST(TextSheetTest, ReportsTheOutcomeOfASheetRead) {
  struct Outcome {
    xls::ReadError error;
    Row columns;
    TextSheetStatus status;
  };
  const Outcome cases[] = {
      {xls::ReadError::kNone, {L"Ident", L"English"}, TextSheetStatus::kRead},
      {xls::ReadError::kNone, {L"Ident"}, TextSheetStatus::kEnglishColumnMissing},
      {xls::ReadError::kSheetMissing, {}, TextSheetStatus::kSheetUnreadable},
      {xls::ReadError::kNotCompoundFile, {}, TextSheetStatus::kSheetUnreadable},
  };
  for (const Outcome& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.error) << ", " << c.columns.size());
    xls::SheetReadResult read;
    read.sheet.columns = c.columns;
    read.error = c.error;
    TextStore store;
    EXPECT_EQ(FillTextStore(read, L"English", store), c.status);
  }
}

}  // namespace
}  // namespace localisation
