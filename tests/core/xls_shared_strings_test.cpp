#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/xls/biff_records.h"
#include "core/xls/shared_strings.h"
#include "tests/core/xls_test_files.h"

namespace {

using xls::ReadError;
using xls_test::Bytes;
using xls_test::ByteWriter;

// The SST record's data and the data of the CONTINUE records after it.
struct SstCase {
  const char* name;
  std::vector<Bytes> parts;
  std::vector<std::wstring> strings;
  ReadError error = ReadError::kNone;
};

class XlsSharedStringsTest : public testing::TestWithParam<SstCase> {};

TEST_P(XlsSharedStringsTest, ReadsTheStrings) {
  const SstCase& sst = GetParam();
  ByteWriter stream;
  stream.Append(xls_test::Record(0x00FC, sst.parts[0]));
  for (std::size_t i = 1; i < sst.parts.size(); ++i) {
    stream.Append(xls_test::Record(0x003C, sst.parts[i]));
  }
  stream.Append(xls_test::Eof());
  xls::BiffRecordReader records(stream.bytes());
  xls::BiffRecord record;
  ASSERT_TRUE(records.Next(record));
  std::vector<std::wstring> strings;
  EXPECT_EQ(xls::ReadSharedStrings(record.data, records, strings), sst.error);
  EXPECT_EQ(strings, sst.strings);
  // Every CONTINUE record belongs to the table: the EOF record comes next.
  ASSERT_TRUE(records.Next(record));
  EXPECT_EQ(record.id, 0x000A);
}

// Counts of all uses and of unique strings.
ByteWriter Counts(std::uint32_t unique) {
  return std::move(ByteWriter().U32(unique).U32(unique));
}

const SstCase kCases[] = {
    {"OneRecord",
     {Counts(3).CompressedString("abc").CompressedString("").UnicodeString(u"\u0394x").bytes()},
     {L"abc", L"", L"\u0394x"}},
    {"CharactersGoOnInTheNextRecord",
     {Counts(2).U16(6).U8(0).Latin1("abc").bytes(),
      ByteWriter().U8(0).Latin1("def").CompressedString("g").bytes()},
     {L"abcdef", L"g"}},
    {"NarrowThenWide",
     {Counts(1).U16(5).U8(0).Latin1("ab").bytes(),
      ByteWriter().U8(1).Utf16(u"\u0394\u03B5f").bytes()},
     {L"ab\u0394\u03B5f"}},
    {"WideThenNarrow",
     {Counts(1).U16(4).U8(1).Utf16(u"\u0394\u0395").bytes(),
      ByteWriter().U8(0).Latin1("xy").bytes()},
     {L"\u0394\u0395xy"}},
    {"SurrogatePairSplit",
     {Counts(1).U16(3).U8(1).Utf16(u"a\xD83D").bytes(),
      ByteWriter().U8(1).Utf16(u"\xDE00").bytes()},
     {L"a\U0001F600"}},
    {"CharactersOverThreeRecords",
     {Counts(1).U16(7).U8(0).Latin1("ab").bytes(), ByteWriter().U8(1).Utf16(u"cd").bytes(),
      ByteWriter().U8(0).Latin1("efg").bytes()},
     {L"abcdefg"}},
    {"EmptyContinueRecordBetween",
     {Counts(1).U16(4).U8(0).Latin1("ab").bytes(), Bytes{},
      ByteWriter().U8(0).Latin1("cd").bytes()},
     {L"abcd"}},
    // Formatting runs and phonetic data go on without an option byte.
    {"RunsGoOnInTheNextRecord",
     {Counts(2).U16(3).U8(0x08).U16(3).Latin1("abc").U32(1).U32(2).bytes(),
      ByteWriter().U32(3).CompressedString("next").bytes()},
     {L"abc", L"next"}},
    {"PhoneticDataGoesOnInTheNextRecord",
     {Counts(2).U16(2).U8(0x04).U32(10).Latin1("ab").U8(1).U8(2).U8(3).bytes(),
      ByteWriter().U32(0).U16(0).U8(0).CompressedString("z").bytes()},
     {L"ab", L"z"}},
    {"RunsAndPhoneticAfterSplitCharacters",
     {Counts(2).U16(4).U8(0x0D).U16(1).U32(6).Utf16(u"ab").bytes(),
      ByteWriter().U8(0).Latin1("cd").U32(0x00010002).U16(7).U32(8).CompressedString("q").bytes()},
     {L"abcd", L"q"}},
    {"HeaderSplitBetweenRecords",
     {Counts(2).CompressedString("x").U8(3).bytes(),
      ByteWriter().U8(0).U8(0).Latin1("abc").bytes()},
     {L"x", L"abc"}},
    {"FewerStringsThanCounted",
     {Counts(3).CompressedString("a").CompressedString("b").bytes()},
     {L"a", L"b"}},
    {"HugeUniqueCount",
     {ByteWriter().U32(1).U32(0xFFFFFFFF).CompressedString("a").bytes()},
     {L"a"}},
    {"CutInsideTheCharacters",
     {Counts(2).CompressedString("a").U16(10).U8(0).Latin1("abcd").bytes()},
     {L"a"},
     ReadError::kCorruptWorkbook},
    {"CutInsideTheRuns",
     {Counts(1).U16(1).U8(0x08).U16(5).Latin1("a").U32(0).U32(0).bytes()},
     {},
     ReadError::kCorruptWorkbook},
    {"CutInsidePhoneticData",
     {Counts(1).U16(1).U8(0x04).U32(1000).Latin1("a").U32(0).bytes()},
     {},
     ReadError::kCorruptWorkbook},
    {"CutInsideTheCounts", {ByteWriter().U32(1).U16(1).bytes()}, {}, ReadError::kCorruptWorkbook},
};

INSTANTIATE_TEST_SUITE_P(Cases, XlsSharedStringsTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<SstCase>& info) {
                           return info.param.name;
                         });

}  // namespace
