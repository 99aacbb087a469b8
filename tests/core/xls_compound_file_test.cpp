#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/xls/compound_file.h"
#include "tests/core/xls_test_files.h"

namespace {

using xls::ReadError;
using xls_test::Bytes;
using xls_test::TestStream;

Bytes Pattern(std::size_t size, int seed = 7) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>((i * seed) % 251);
  return bytes;
}

// Opens the file and reads the named root stream; ReadError::kNoWorkbookStream when absent.
ReadError ReadNamedStream(const Bytes& file, std::u16string_view name, Bytes* data = nullptr) {
  xls::CompoundFile compoundFile;
  if (ReadError error = compoundFile.Open(file); error != ReadError::kNone) return error;
  const xls::DirectoryEntry* entry = nullptr;
  if (ReadError error = compoundFile.FindRootStream(name, entry); error != ReadError::kNone) {
    return error;
  }
  if (entry == nullptr) return ReadError::kNoWorkbookStream;
  Bytes bytes;
  const ReadError error = compoundFile.ReadStream(*entry, bytes);
  if (data != nullptr) *data = bytes;
  return error;
}

struct LayoutCase {
  const char* name;
  std::size_t sectorSize;
  std::size_t streamSize;
};

class XlsCompoundFileLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(XlsCompoundFileLayoutTest, ReadsTheStreamBack) {
  const LayoutCase& layout = GetParam();
  const Bytes stream = Pattern(layout.streamSize);
  const xls_test::CompoundFile file = xls_test::BuildCompoundFile(
      {{u"Other", Pattern(100, 3)}, {u"Workbook", stream}, {u"Third", Pattern(5000, 5)}},
      layout.sectorSize);
  Bytes data;
  ASSERT_EQ(ReadNamedStream(file.bytes, u"Workbook", &data), ReadError::kNone);
  EXPECT_EQ(data, stream);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, XlsCompoundFileLayoutTest,
    testing::Values(LayoutCase{"Sectors512", 512, 9000}, LayoutCase{"Sectors4096", 4096, 20000},
                    LayoutCase{"MiniStream512", 512, 1000},
                    LayoutCase{"MiniStream4096", 4096, 4095}, LayoutCase{"CutoffSize", 512, 4096},
                    LayoutCase{"Empty", 512, 0}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

TEST(XlsCompoundFileTest, FollowsTheDifatBeyondTheHeadersFatList) {
  // 109 FAT sectors of 512 bytes map 13,952 sectors (about 7 MB); past that the FAT sectors
  // are listed in DIFAT sectors.
  const Bytes stream = Pattern(7'300'000);
  const xls_test::CompoundFile file = xls_test::BuildCompoundFile({{u"Workbook", stream}});
  ASSERT_GT(file.fatSectors.size(), 109u);
  ASSERT_GT(file.U32(72), 0u);  // DIFAT sector count in the header
  Bytes data;
  ASSERT_EQ(ReadNamedStream(file.bytes, u"Workbook", &data), ReadError::kNone);
  EXPECT_TRUE(data == stream);
}

TEST(XlsCompoundFileTest, FindsStreamNamesIgnoringCase) {
  const xls_test::CompoundFile file = xls_test::BuildCompoundFile({{u"WORKBOOK", Pattern(10)}});
  EXPECT_EQ(ReadNamedStream(file.bytes, u"Workbook"), ReadError::kNone);
  EXPECT_EQ(ReadNamedStream(file.bytes, u"workbook"), ReadError::kNone);
  EXPECT_EQ(ReadNamedStream(file.bytes, u"Workbook2"), ReadError::kNoWorkbookStream);
}

TEST(XlsCompoundFileTest, IgnoresStreamsOfEmbeddedObjects) {
  const xls_test::CompoundFile file = xls_test::BuildCompoundFile(
      {{u"Other", Pattern(10)}, {u"Workbook", Pattern(10), /*inSubStorage=*/true}});
  EXPECT_EQ(ReadNamedStream(file.bytes, u"Workbook"), ReadError::kNoWorkbookStream);
}

TEST(XlsCompoundFileTest, KeepsTheBytesBeforeABrokenLink) {
  const Bytes stream = Pattern(5000);
  xls_test::CompoundFile file = xls_test::BuildCompoundFile({{u"Workbook", stream}});
  const std::uint32_t start = file.streamStarts[0];
  file.SetFat(start + 3, xls_test::kEndOfChain);
  Bytes data;
  EXPECT_EQ(ReadNamedStream(file.bytes, u"Workbook", &data), ReadError::kCorruptCompoundFile);
  EXPECT_EQ(data, Bytes(stream.begin(), stream.begin() + 4 * 512));
}

// Each case damages a file holding a 5,000-byte "Workbook" stream (entry 1, in sectors) and a
// 500-byte "Small" stream (entry 2, in the mini stream).
struct DamageCase {
  const char* name;
  std::function<void(xls_test::CompoundFile&)> damage;
  std::u16string stream;
  ReadError error;
};

class XlsCompoundFileDamageTest : public testing::TestWithParam<DamageCase> {};

TEST_P(XlsCompoundFileDamageTest, FailsCleanly) {
  const DamageCase& damage = GetParam();
  xls_test::CompoundFile file =
      xls_test::BuildCompoundFile({{u"Workbook", Pattern(5000)}, {u"Small", Pattern(500)}});
  ASSERT_EQ(ReadNamedStream(file.bytes, damage.stream), ReadError::kNone);
  damage.damage(file);
  EXPECT_EQ(ReadNamedStream(file.bytes, damage.stream), damage.error);
}

using File = xls_test::CompoundFile;
constexpr std::uint32_t kOutside = 0x00FFFFF0;

const DamageCase kDamageCases[] = {
    {"Empty", [](File& f) { f.bytes.clear(); }, u"Workbook", ReadError::kNotCompoundFile},
    {"ShorterThanHeader", [](File& f) { f.bytes.resize(511); }, u"Workbook",
     ReadError::kNotCompoundFile},
    {"WrongSignature", [](File& f) { f.bytes[7] = 0; }, u"Workbook", ReadError::kNotCompoundFile},
    {"OddSectorSize", [](File& f) { f.bytes[30] = 10; }, u"Workbook", ReadError::kNotCompoundFile},
    {"OddMiniSectorSize", [](File& f) { f.bytes[32] = 7; }, u"Workbook",
     ReadError::kNotCompoundFile},
    {"TruncatedToHalf", [](File& f) { f.bytes.resize(f.bytes.size() / 2); }, u"Workbook",
     ReadError::kCorruptCompoundFile},
    {"MoreFatSectorsThanTheFileHas", [](File& f) { f.SetU32(44, 0x10000); }, u"Workbook",
     ReadError::kCorruptCompoundFile},
    {"FatSectorOutsideTheFile", [](File& f) { f.SetU32(76, kOutside); }, u"Workbook",
     ReadError::kCorruptCompoundFile},
    {"DirectoryChainLoops", [](File& f) { f.SetFat(f.directorySector, f.directorySector); },
     u"Workbook", ReadError::kCorruptCompoundFile},
    {"DirectoryOutsideTheFile", [](File& f) { f.SetU32(48, kOutside); }, u"Workbook",
     ReadError::kCorruptCompoundFile},
    {"RootEntryOfWrongType", [](File& f) { f.bytes[f.EntryOffset(0) + 66] = 1; }, u"Workbook",
     ReadError::kCorruptCompoundFile},
    {"SiblingIsItself", [](File& f) { f.SetEntryU32(1, xls_test::kRightSibling, 1); }, u"Workbook",
     ReadError::kCorruptCompoundFile},
    {"SiblingIsTheRoot", [](File& f) { f.SetEntryU32(1, xls_test::kLeftSibling, 0); }, u"Workbook",
     ReadError::kCorruptCompoundFile},
    {"SiblingBeyondTheDirectory", [](File& f) { f.SetEntryU32(1, xls_test::kLeftSibling, 1000); },
     u"Workbook", ReadError::kCorruptCompoundFile},
    {"StreamChainLoops", [](File& f) { f.SetFat(f.streamStarts[0] + 5, f.streamStarts[0] + 1); },
     u"Workbook", ReadError::kCorruptCompoundFile},
    {"StreamChainLeavesTheFat", [](File& f) { f.SetFat(f.streamStarts[0] + 1, kOutside); },
     u"Workbook", ReadError::kCorruptCompoundFile},
    {"StreamSectorPastTheEnd",
     [](File& f) {
       f.SetFat(f.streamStarts[0] + 1, static_cast<std::uint32_t>(f.fatSectors.size() * 128 - 1));
     },
     u"Workbook", ReadError::kCorruptCompoundFile},
    {"StreamChainEndsEarly",
     [](File& f) { f.SetFat(f.streamStarts[0] + 1, xls_test::kEndOfChain); }, u"Workbook",
     ReadError::kCorruptCompoundFile},
    {"FreeSectorInTheChain", [](File& f) { f.SetFat(f.streamStarts[0], xls_test::kFreeSector); },
     u"Workbook", ReadError::kCorruptCompoundFile},
    {"StreamSizeBeyondTheFile",
     [](File& f) { f.SetEntryU32(1, xls_test::kStreamSize, 0x7FFFFFF0); }, u"Workbook",
     ReadError::kCorruptCompoundFile},
    {"MiniChainLoops", [](File& f) { f.SetMiniFat(f.streamStarts[1] + 2, f.streamStarts[1]); },
     u"Small", ReadError::kCorruptCompoundFile},
    {"MiniSectorPastTheMiniStream", [](File& f) { f.SetMiniFat(f.streamStarts[1], 100); }, u"Small",
     ReadError::kCorruptCompoundFile},
    {"MiniStreamSizeBeyondTheFile",
     [](File& f) { f.SetEntryU32(0, xls_test::kStreamSize, 0x7FFFFFF0); }, u"Small",
     ReadError::kCorruptCompoundFile},
    {"MiniFatChainLoops", [](File& f) { f.SetFat(f.miniFatSector, f.miniFatSector); }, u"Small",
     ReadError::kCorruptCompoundFile},
};

INSTANTIATE_TEST_SUITE_P(Damage, XlsCompoundFileDamageTest, testing::ValuesIn(kDamageCases),
                         [](const testing::TestParamInfo<DamageCase>& info) {
                           return info.param.name;
                         });

// 240 FAT sectors claimed: 109 in the header, the rest in DIFAT sectors starting at `difat`,
// in a file of some 260 sectors.
xls_test::CompoundFile ClaimingDifatSectors(std::uint32_t difat) {
  xls_test::CompoundFile file = xls_test::BuildCompoundFile({{u"Workbook", Pattern(130'000)}});
  file.SetU32(44, 240);
  file.SetU32(68, difat);
  return file;
}

TEST(XlsCompoundFileTest, StopsAtADifatChainThatLoops) {
  const std::uint32_t difat = 10;
  xls_test::CompoundFile file = ClaimingDifatSectors(difat);
  file.SetU32(file.SectorOffset(difat) + 127 * 4, difat);  // next DIFAT sector: itself
  EXPECT_EQ(ReadNamedStream(file.bytes, u"Workbook"), ReadError::kCorruptCompoundFile);
}

TEST(XlsCompoundFileTest, StopsAtADifatSectorOutsideTheFile) {
  const xls_test::CompoundFile file = ClaimingDifatSectors(kOutside);
  EXPECT_EQ(ReadNamedStream(file.bytes, u"Workbook"), ReadError::kCorruptCompoundFile);
}

TEST(XlsCompoundFileTest, ReportsACycleEvenAfterTheStreamWasFound) {
  xls_test::CompoundFile file =
      xls_test::BuildCompoundFile({{u"Workbook", Pattern(10)}, {u"Other", Pattern(10)}});
  // Entry 1 (Workbook) comes first; entry 2 links back to it.
  file.SetEntryU32(2, xls_test::kRightSibling, 1);
  EXPECT_EQ(ReadNamedStream(file.bytes, u"Workbook"), ReadError::kCorruptCompoundFile);
}

}  // namespace
