// ReadSheet on workbooks broken in one way each. Workbooks that check what is read come from
// real writers (tests/xls); the ones here only need to be right up to the damage.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/xls/sheet.h"
#include "tests/core/xls_test_files.h"

namespace {

using xls::ReadError;
using xls_test::Bytes;
using xls_test::ByteWriter;
using xls_test::Record;

constexpr std::uint16_t kWorksheet = 0x0010;

Bytes Join(const std::vector<Bytes>& parts) {
  ByteWriter out;
  for (const Bytes& part : parts) out.Append(part);
  return out.bytes();
}

// Three rows: the header and two records.
Bytes GoodCells() {
  return Join({xls_test::LabelSst(0, 0, 0), xls_test::LabelSst(0, 1, 1),
               xls_test::LabelSst(1, 0, 2), xls_test::Number(1, 1, 2.5),
               xls_test::LabelSst(2, 0, 3), xls_test::Number(2, 1, -3)});
}

Bytes GoodSst() {
  return xls_test::Sst({"Ident", "English", "a", "b"});
}

Bytes WorkbookWithCells(const Bytes& cells) {
  return xls_test::Workbook({GoodSst()}, {{u"Notes", {}}, {u"Install", cells}});
}

Bytes InContainer(const Bytes& workbook, std::u16string name = u"Workbook") {
  return xls_test::BuildCompoundFile({{name, workbook}}).bytes;
}

const std::vector<std::wstring> kHeader = {L"Ident", L"English"};
const std::vector<std::vector<std::wstring>> kRows = {{L"a", L"2.5"}, {L"b", L"-3"}};

TEST(XlsSheetReaderTest, ReadsTheIntactWorkbook) {
  const xls::SheetReadResult result =
      xls::ReadSheet(InContainer(WorkbookWithCells(GoodCells())), L"install");
  EXPECT_EQ(result.error, ReadError::kNone);
  EXPECT_EQ(result.sheet.columns, kHeader);
  EXPECT_EQ(result.sheet.rows, kRows);
}

struct BrokenCase {
  const char* name;
  std::function<Bytes()> file;
  ReadError error;
  std::size_t rowsKept = 0;  // besides the header
  std::wstring_view sheet = L"Install";
};

class XlsBrokenWorkbookTest : public testing::TestWithParam<BrokenCase> {};

TEST_P(XlsBrokenWorkbookTest, FailsCleanlyKeepingWhatWasRead) {
  const BrokenCase& broken = GetParam();
  const xls::SheetReadResult result = xls::ReadSheet(broken.file(), broken.sheet);
  EXPECT_EQ(result.error, broken.error);
  ASSERT_EQ(result.sheet.rows.size(), broken.rowsKept);
  if (broken.rowsKept > 0) {
    // Cells past the damage may have widened the sheet.
    ASSERT_GE(result.sheet.columns.size(), 2u);
    EXPECT_EQ(result.sheet.columns[0], kHeader[0]);
    EXPECT_EQ(result.sheet.columns[1], kHeader[1]);
    EXPECT_EQ(result.sheet.rows[0][0], kRows[0][0]);
    EXPECT_EQ(result.sheet.rows[0][1], kRows[0][1]);
  } else {
    EXPECT_TRUE(result.sheet.columns.empty());
  }
}

Bytes WithFirstRecordId(std::uint16_t id) {
  Bytes workbook = WorkbookWithCells(GoodCells());
  workbook[0] = static_cast<std::uint8_t>(id);
  workbook[1] = static_cast<std::uint8_t>(id >> 8);
  return InContainer(workbook);
}

Bytes WithGlobals(const std::vector<Bytes>& globals) {
  return InContainer(xls_test::Workbook(globals, {{u"Install", GoodCells()}}));
}

// The Install sheet's cells followed by `tail`.
Bytes WithCellsThen(const Bytes& tail) {
  return InContainer(WorkbookWithCells(Join({GoodCells(), tail})));
}

Bytes WithSheetOffset(std::uint32_t offset) {
  Bytes workbook = xls_test::Workbook({GoodSst()}, {{u"Install", GoodCells()}});
  // The BOUNDSHEET record follows BOF (20 bytes) and SST; its offset field opens its data.
  const std::size_t field = 20 + GoodSst().size() + 4;
  for (int i = 0; i < 4; ++i) workbook[field + i] = static_cast<std::uint8_t>(offset >> (8 * i));
  return InContainer(workbook);
}

const BrokenCase kBrokenCases[] = {
    {"Encrypted",
     [] {
       return WithGlobals(
           {Record(0x002F, ByteWriter().U16(0).U16(0x1234).U16(0x5678).bytes()), GoodSst()});
     },
     ReadError::kEncrypted},
    {"Biff5Bof",
     [] {
       Bytes workbook = WorkbookWithCells(GoodCells());
       workbook[5] = 0x05;  // version 0x0500
       return InContainer(workbook);
     },
     ReadError::kUnsupportedFormat},
    {"Biff2Bof", [] { return WithFirstRecordId(0x0009); }, ReadError::kUnsupportedFormat},
    {"Biff3Bof", [] { return WithFirstRecordId(0x0209); }, ReadError::kUnsupportedFormat},
    {"Biff4Bof", [] { return WithFirstRecordId(0x0409); }, ReadError::kUnsupportedFormat},
    {"NoBofFirst", [] { return WithFirstRecordId(0x1234); }, ReadError::kCorruptWorkbook},
    {"GlobalsOfAWorksheet",
     [] {
       Bytes workbook = WorkbookWithCells(GoodCells());
       workbook[6] = static_cast<std::uint8_t>(kWorksheet);
       return InContainer(workbook);
     },
     ReadError::kCorruptWorkbook},
    {"BookStream", [] { return InContainer(WorkbookWithCells(GoodCells()), u"Book"); },
     ReadError::kUnsupportedFormat},
    {"NoWorkbookStream", [] { return InContainer(WorkbookWithCells(GoodCells()), u"Books"); },
     ReadError::kNoWorkbookStream},
    {"EmptyWorkbookStream", [] { return InContainer({}); }, ReadError::kCorruptWorkbook},
    {"GlobalsCutInsideARecord",
     [] {
       Bytes workbook = WorkbookWithCells(GoodCells());
       workbook.resize(20 + 10);
       return InContainer(workbook);
     },
     ReadError::kCorruptWorkbook},
    {"SharedStringsCutInsideAString",
     [] {
       return WithGlobals(
           {Record(0x00FC, ByteWriter().U32(1).U32(1).U16(9).U8(0).Latin1("abc").bytes())});
     },
     ReadError::kCorruptWorkbook},
    {"SheetListEntryTooShort", [] { return WithGlobals({Record(0x0085, Bytes(5))}); },
     ReadError::kCorruptWorkbook},
    {"SheetMissing", [] { return InContainer(WorkbookWithCells(GoodCells())); },
     ReadError::kSheetMissing, 0, L"Nowhere"},
    {"ChartOfThatName",
     [] {
       return InContainer(xls_test::Workbook({GoodSst()}, {{u"Install", GoodCells(), 2}}));
     },
     ReadError::kSheetMissing},
    {"SheetOffsetOutsideTheStream", [] { return WithSheetOffset(0x7FFFFFFF); },
     ReadError::kCorruptWorkbook},
    {"SheetOffsetAtTheGlobals", [] { return WithSheetOffset(0); }, ReadError::kCorruptWorkbook},
    {"SheetOffsetInsideARecord", [] { return WithSheetOffset(3); }, ReadError::kCorruptWorkbook},
    {"SharedStringIndexOutOfRange", [] { return WithCellsThen(xls_test::LabelSst(3, 0, 99)); },
     ReadError::kCorruptWorkbook, 2},
    {"ColumnBeyondTheLast", [] { return WithCellsThen(xls_test::Number(3, 256, 1)); },
     ReadError::kCorruptWorkbook, 2},
    {"MoreCellsThanKept", [] { return WithCellsThen(xls_test::Number(65535, 255, 1)); },
     ReadError::kSheetTooLarge, 2},
    {"NumberTooShort", [] { return WithCellsThen(Record(0x0203, Bytes(10))); },
     ReadError::kCorruptWorkbook, 2},
    {"RkTooShort", [] { return WithCellsThen(Record(0x027E, Bytes(8))); },
     ReadError::kCorruptWorkbook, 2},
    {"LabelSstTooShort", [] { return WithCellsThen(Record(0x00FD, Bytes(9))); },
     ReadError::kCorruptWorkbook, 2},
    {"BoolErrTooShort", [] { return WithCellsThen(Record(0x0205, Bytes(7))); },
     ReadError::kCorruptWorkbook, 2},
    {"FormulaTooShort", [] { return WithCellsThen(Record(0x0006, Bytes(19))); },
     ReadError::kCorruptWorkbook, 2},
    {"LabelCutInsideTheText",
     [] {
       return WithCellsThen(Record(
           0x0204,
           ByteWriter().Append(xls_test::CellHeader(3, 0)).U16(50).U8(0).Latin1("ab").bytes()));
     },
     ReadError::kCorruptWorkbook, 2},
    {"MulRkOfOddSize", [] { return WithCellsThen(Record(0x00BD, Bytes(13))); },
     ReadError::kCorruptWorkbook, 2},
    {"MulRkPastTheLastColumn",
     [] {
       ByteWriter mulRk;
       mulRk.U16(3).U16(250);
       for (int i = 0; i < 10; ++i) mulRk.U16(0).U32((7u << 2) | 2);
       mulRk.U16(259);
       return WithCellsThen(Record(0x00BD, mulRk.bytes()));
     },
     ReadError::kCorruptWorkbook, 3},
    {"StringResultCut",
     [] {
       ByteWriter formula;
       formula.Append(xls_test::CellHeader(3, 1)).U8(0).U8(0).U32(0).U16(0xFFFF).U16(0).U32(0);
       return WithCellsThen(
           Join({Record(0x0006, formula.bytes()),
                 Record(0x0207, ByteWriter().U16(40).U8(0).Latin1("ab").bytes())}));
     },
     ReadError::kCorruptWorkbook, 3},
    {"SheetCutInsideARecord",
     [] {
       Bytes workbook = WorkbookWithCells(GoodCells());
       workbook.resize(workbook.size() - xls_test::Eof().size() - 5);
       return InContainer(workbook);
     },
     ReadError::kCorruptWorkbook, 2},
    {"SheetWithoutEof",
     [] {
       Bytes workbook = WorkbookWithCells(GoodCells());
       workbook.resize(workbook.size() - xls_test::Eof().size());
       return InContainer(workbook);
     },
     ReadError::kCorruptWorkbook, 2},
};

INSTANTIATE_TEST_SUITE_P(Cases, XlsBrokenWorkbookTest, testing::ValuesIn(kBrokenCases),
                         [](const testing::TestParamInfo<BrokenCase>& info) {
                           return info.param.name;
                         });

TEST(XlsSheetReaderTest, StopsAtTheCellLimitKeepingTheRowsThatFit) {
  // Two columns: six cells hold the header and two rows, the third row is one too many.
  const Bytes file = InContainer(WorkbookWithCells(Join({GoodCells(), xls_test::Number(3, 0, 1)})));
  const xls::SheetReadResult result = xls::ReadSheet(file, L"Install", {.maxCells = 7});
  EXPECT_EQ(result.error, ReadError::kSheetTooLarge);
  EXPECT_EQ(result.sheet.columns, kHeader);
  EXPECT_EQ(result.sheet.rows, kRows);
  EXPECT_EQ(xls::ReadSheet(file, L"Install", {.maxCells = 8}).error, ReadError::kNone);
}

TEST(XlsSheetReaderTest, SurvivesEveryTruncationOfTheFile) {
  const Bytes file = InContainer(WorkbookWithCells(GoodCells()));
  for (std::size_t size = 0; size < file.size(); ++size) {
    const xls::SheetReadResult result = xls::ReadSheet(std::span(file.data(), size), L"Install");
    EXPECT_NE(result.error, ReadError::kNone) << size;
  }
}

TEST(XlsSheetReaderTest, SurvivesEveryTruncationOfTheWorkbookStream) {
  const Bytes workbook = WorkbookWithCells(GoodCells());
  for (std::size_t size = 0; size < workbook.size(); ++size) {
    const xls::SheetReadResult result =
        xls::ReadSheet(InContainer(Bytes(workbook.begin(), workbook.begin() + size)), L"Install");
    EXPECT_NE(result.error, ReadError::kNone) << size;
    EXPECT_LE(result.sheet.rows.size(), 2u);
  }
}

TEST(XlsSheetReaderTest, SkipsChartsInsideTheSheet) {
  const Bytes chart = Join({xls_test::Bof(0x0020), xls_test::Number(5, 5, 1), xls_test::Eof()});
  const Bytes file = InContainer(WorkbookWithCells(Join({GoodCells(), chart})));
  const xls::SheetReadResult result = xls::ReadSheet(file, L"Install");
  EXPECT_EQ(result.error, ReadError::kNone);
  EXPECT_EQ(result.sheet.rows, kRows);
}

}  // namespace
