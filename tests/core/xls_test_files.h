// Byte builders for the .xls reader's unit tests: BIFF records, small workbooks and compound
// files. They exist to break things on purpose (and to lay out containers in ways no writer at
// hand produces); workbooks that check what the reader reads come from real writers, in
// tests/xls.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace xls_test {

using Bytes = std::vector<std::uint8_t>;

class ByteWriter {
 public:
  ByteWriter& U8(std::uint8_t value) {
    bytes_.push_back(value);
    return *this;
  }
  ByteWriter& U16(std::uint16_t value) { return U8(value & 0xFF).U8(value >> 8); }
  ByteWriter& U32(std::uint32_t value) { return U16(value & 0xFFFF).U16(value >> 16); }
  ByteWriter& U64(std::uint64_t value) {
    return U32(static_cast<std::uint32_t>(value)).U32(static_cast<std::uint32_t>(value >> 32));
  }
  ByteWriter& F64(double value) { return U64(std::bit_cast<std::uint64_t>(value)); }
  ByteWriter& Append(const Bytes& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
  }
  ByteWriter& Latin1(std::string_view text) {
    for (char c : text) U8(static_cast<std::uint8_t>(c));
    return *this;
  }
  ByteWriter& Utf16(std::u16string_view text) {
    for (char16_t unit : text) U16(unit);
    return *this;
  }
  // Character count, option byte with the two-byte flag, characters.
  ByteWriter& UnicodeString(std::u16string_view text) {
    U16(static_cast<std::uint16_t>(text.size())).U8(1);
    return Utf16(text);
  }
  ByteWriter& CompressedString(std::string_view text) {
    U16(static_cast<std::uint16_t>(text.size())).U8(0);
    return Latin1(text);
  }

  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

inline Bytes Record(std::uint16_t id, const Bytes& data) {
  return ByteWriter().U16(id).U16(static_cast<std::uint16_t>(data.size())).Append(data).bytes();
}

inline Bytes Bof(std::uint16_t substream, std::uint16_t version = 0x0600) {
  return Record(0x0809,
                ByteWriter().U16(version).U16(substream).U16(0).U16(0).U32(0).U32(0).bytes());
}

inline Bytes Eof() {
  return Record(0x000A, {});
}

inline Bytes CellHeader(std::uint16_t row, std::uint16_t column) {
  return ByteWriter().U16(row).U16(column).U16(0).bytes();
}

inline Bytes Number(std::uint16_t row, std::uint16_t column, double value) {
  return Record(0x0203, ByteWriter().Append(CellHeader(row, column)).F64(value).bytes());
}

inline Bytes LabelSst(std::uint16_t row, std::uint16_t column, std::uint32_t index) {
  return Record(0x00FD, ByteWriter().Append(CellHeader(row, column)).U32(index).bytes());
}

inline Bytes Label(std::uint16_t row, std::uint16_t column, std::string_view text) {
  return Record(0x0204,
                ByteWriter().Append(CellHeader(row, column)).CompressedString(text).bytes());
}

// A shared string table of compressed strings, in one record.
inline Bytes Sst(const std::vector<std::string>& strings) {
  ByteWriter data;
  data.U32(static_cast<std::uint32_t>(strings.size()))
      .U32(static_cast<std::uint32_t>(strings.size()));
  for (const std::string& text : strings) data.CompressedString(text);
  return Record(0x00FC, data.bytes());
}

struct TestSheet {
  std::u16string name;
  Bytes records;  // between the sheet's BOF and EOF
  std::uint8_t type = 0;
};

// Globals (BOF, `globals`, a BOUNDSHEET per sheet, EOF) followed by the sheet substreams.
inline Bytes Workbook(const std::vector<Bytes>& globals, const std::vector<TestSheet>& sheets) {
  constexpr std::uint16_t kGlobals = 0x0005;
  constexpr std::uint16_t kWorksheet = 0x0010;
  auto boundSheet = [](const TestSheet& sheet, std::uint32_t offset) {
    return Record(0x0085, ByteWriter()
                              .U32(offset)
                              .U8(0)
                              .U8(sheet.type)
                              .U8(static_cast<std::uint8_t>(sheet.name.size()))
                              .U8(1)
                              .Utf16(sheet.name)
                              .bytes());
  };
  std::size_t globalsSize = Bof(kGlobals).size() + Eof().size();
  for (const Bytes& record : globals) globalsSize += record.size();
  for (const TestSheet& sheet : sheets) globalsSize += boundSheet(sheet, 0).size();

  ByteWriter stream;
  stream.Append(Bof(kGlobals));
  for (const Bytes& record : globals) stream.Append(record);
  std::size_t offset = globalsSize;
  for (const TestSheet& sheet : sheets) {
    stream.Append(boundSheet(sheet, static_cast<std::uint32_t>(offset)));
    offset += Bof(kWorksheet).size() + sheet.records.size() + Eof().size();
  }
  stream.Append(Eof());
  for (const TestSheet& sheet : sheets) {
    stream.Append(Bof(kWorksheet)).Append(sheet.records).Append(Eof());
  }
  return stream.bytes();
}

inline constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
inline constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
inline constexpr std::uint32_t kNoEntry = 0xFFFFFFFF;

struct TestStream {
  std::u16string name;
  Bytes data;
  bool inSubStorage = false;  // inside a storage "Sub" under the root
};

// A compound file and where its parts went, for tests that damage it.
struct CompoundFile {
  Bytes bytes;
  std::size_t sectorSize = 512;
  std::vector<std::uint32_t> fatSectors;
  std::uint32_t directorySector = 0;  // the directory sectors follow each other
  std::uint32_t miniFatSector = kEndOfChain;
  std::vector<std::uint32_t> streamStarts;  // per stream, a sector or a mini sector

  std::size_t SectorOffset(std::uint32_t sector) const { return (sector + 1) * sectorSize; }
  std::size_t EntryOffset(std::size_t entry) const {
    return SectorOffset(directorySector) + entry * 128;
  }
  void SetU32(std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  std::uint32_t U32(std::size_t offset) const {
    return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
  }
  std::size_t FatEntryOffset(std::uint32_t sector) const {
    const std::size_t perSector = sectorSize / 4;
    return SectorOffset(fatSectors[sector / perSector]) + (sector % perSector) * 4;
  }
  void SetFat(std::uint32_t sector, std::uint32_t next) { SetU32(FatEntryOffset(sector), next); }
  std::uint32_t Fat(std::uint32_t sector) const { return U32(FatEntryOffset(sector)); }
  void SetMiniFat(std::uint32_t miniSector, std::uint32_t next) {
    SetU32(SectorOffset(miniFatSector) + miniSector * 4, next);
  }
  // Entry 0 is the root, then the streams in the order given, then "Sub" if used.
  void SetEntryU32(std::size_t entry, std::size_t field, std::uint32_t value) {
    SetU32(EntryOffset(entry) + field, value);
  }
};

inline constexpr std::size_t kLeftSibling = 68;
inline constexpr std::size_t kRightSibling = 72;
inline constexpr std::size_t kChild = 76;
inline constexpr std::size_t kStartSector = 116;
inline constexpr std::size_t kStreamSize = 120;

inline CompoundFile BuildCompoundFile(const std::vector<TestStream>& streams,
                                      std::size_t sectorSize = 512) {
  constexpr std::size_t kMiniCutoff = 4096;
  constexpr std::size_t kMiniSectorSize = 64;
  const std::size_t perSector = sectorSize / 4;
  auto sectorsFor = [sectorSize](std::size_t size) { return (size + sectorSize - 1) / sectorSize; };

  CompoundFile file;
  file.sectorSize = sectorSize;
  file.streamStarts.assign(streams.size(), kEndOfChain);

  // Mini stream and mini FAT.
  Bytes miniStream;
  std::vector<std::uint32_t> miniFat;
  for (std::size_t i = 0; i < streams.size(); ++i) {
    const Bytes& data = streams[i].data;
    if (data.size() >= kMiniCutoff || data.empty()) continue;
    const std::size_t count = (data.size() + kMiniSectorSize - 1) / kMiniSectorSize;
    file.streamStarts[i] = static_cast<std::uint32_t>(miniFat.size());
    for (std::size_t k = 1; k < count; ++k)
      miniFat.push_back(static_cast<std::uint32_t>(miniFat.size() + 1));
    miniFat.push_back(kEndOfChain);
    miniStream.insert(miniStream.end(), data.begin(), data.end());
    miniStream.resize(miniFat.size() * kMiniSectorSize);
  }

  // Sector runs in file order: big streams, mini stream, mini FAT, directory.
  std::vector<std::uint32_t> fat;
  auto addRun = [&](const Bytes& data) {
    const std::uint32_t start = static_cast<std::uint32_t>(fat.size());
    const std::size_t count = sectorsFor(data.size());
    for (std::size_t k = 1; k < count; ++k)
      fat.push_back(static_cast<std::uint32_t>(fat.size() + 1));
    if (count > 0) fat.push_back(kEndOfChain);
    return count > 0 ? start : kEndOfChain;
  };
  std::vector<Bytes> runs;
  for (std::size_t i = 0; i < streams.size(); ++i) {
    if (streams[i].data.size() < kMiniCutoff) continue;
    file.streamStarts[i] = addRun(streams[i].data);
    runs.push_back(streams[i].data);
  }
  const std::uint32_t miniStreamStart = addRun(miniStream);
  runs.push_back(miniStream);
  if (!miniFat.empty())
    miniFat.resize((miniFat.size() + perSector - 1) / perSector * perSector, kFreeSector);
  ByteWriter miniFatBytes;
  for (std::uint32_t next : miniFat) miniFatBytes.U32(next);
  file.miniFatSector = addRun(miniFatBytes.bytes());
  runs.push_back(miniFatBytes.bytes());

  const bool useSubStorage = std::any_of(streams.begin(), streams.end(),
                                         [](const TestStream& s) { return s.inSubStorage; });
  const std::size_t entryCount = 1 + streams.size() + (useSubStorage ? 1 : 0);
  Bytes directory(entryCount * 128);
  file.directorySector = addRun(directory);
  const std::size_t directoryRun = runs.size();
  runs.push_back(directory);

  // FAT and DIFAT sectors, which must also be counted in the FAT.
  std::size_t fatCount = 1;
  std::size_t difatCount = 0;
  while (fatCount * perSector < fat.size() + fatCount + difatCount) {
    ++fatCount;
    difatCount = fatCount > 109 ? (fatCount - 109 + perSector - 2) / (perSector - 1) : 0;
  }
  const std::uint32_t firstDifat = static_cast<std::uint32_t>(fat.size());
  fat.insert(fat.end(), difatCount, 0xFFFFFFFC);
  const std::uint32_t firstFat = static_cast<std::uint32_t>(fat.size());
  fat.insert(fat.end(), fatCount, 0xFFFFFFFD);
  fat.resize(fatCount * perSector, kFreeSector);
  for (std::size_t k = 0; k < fatCount; ++k)
    file.fatSectors.push_back(firstFat + static_cast<std::uint32_t>(k));

  // Directory entries.
  auto writeEntry = [&](std::size_t index, std::u16string_view name, std::uint8_t type,
                        std::uint32_t right, std::uint32_t child, std::uint32_t start,
                        std::uint64_t size) {
    ByteWriter entry;
    entry.Utf16(name).U16(0);
    Bytes bytes = entry.bytes();
    bytes.resize(64);
    ByteWriter rest;
    rest.U16(static_cast<std::uint16_t>((name.size() + 1) * 2))
        .U8(type)
        .U8(1)
        .U32(kNoEntry)
        .U32(right)
        .U32(child);
    for (int k = 0; k < 16; ++k) rest.U8(0);
    rest.U32(0).U64(0).U64(0).U32(start).U64(size);
    bytes.insert(bytes.end(), rest.bytes().begin(), rest.bytes().end());
    std::copy(bytes.begin(), bytes.end(), directory.begin() + index * 128);
  };
  std::vector<std::uint32_t> topLevel;
  std::vector<std::uint32_t> nested;
  for (std::size_t i = 0; i < streams.size(); ++i) {
    (streams[i].inSubStorage ? nested : topLevel).push_back(static_cast<std::uint32_t>(i + 1));
  }
  const std::uint32_t storageEntry = static_cast<std::uint32_t>(streams.size() + 1);
  if (useSubStorage) topLevel.push_back(storageEntry);
  // Siblings as a chain of right links: a valid, if unbalanced, tree.
  auto nextOf = [](const std::vector<std::uint32_t>& list, std::size_t k) {
    return k + 1 < list.size() ? list[k + 1] : kNoEntry;
  };
  writeEntry(0, u"Root Entry", 5, kNoEntry, topLevel.empty() ? kNoEntry : topLevel[0],
             miniStream.empty() ? kEndOfChain : miniStreamStart, miniStream.size());
  for (std::size_t k = 0; k < topLevel.size(); ++k) {
    const std::uint32_t id = topLevel[k];
    if (id == storageEntry) {
      writeEntry(id, u"Sub", 1, nextOf(topLevel, k), nested.empty() ? kNoEntry : nested[0], 0, 0);
    } else {
      writeEntry(id, streams[id - 1].name, 2, nextOf(topLevel, k), kNoEntry,
                 file.streamStarts[id - 1], streams[id - 1].data.size());
    }
  }
  for (std::size_t k = 0; k < nested.size(); ++k) {
    const std::uint32_t id = nested[k];
    writeEntry(id, streams[id - 1].name, 2, nextOf(nested, k), kNoEntry, file.streamStarts[id - 1],
               streams[id - 1].data.size());
  }
  runs[directoryRun] = directory;

  // Header, then the runs, DIFAT sectors and FAT sectors.
  ByteWriter header;
  header.U32(0xE011CFD0).U32(0xE11AB1A1);
  for (int k = 0; k < 16; ++k) header.U8(0);
  header.U16(0x3E)
      .U16(sectorSize == 4096 ? 4 : 3)
      .U16(0xFFFE)
      .U16(sectorSize == 4096 ? 12 : 9)
      .U16(6);
  for (int k = 0; k < 6; ++k) header.U8(0);
  header.U32(sectorSize == 4096 ? static_cast<std::uint32_t>(sectorsFor(directory.size())) : 0)
      .U32(static_cast<std::uint32_t>(fatCount))
      .U32(file.directorySector)
      .U32(0)
      .U32(kMiniCutoff)
      .U32(file.miniFatSector)
      .U32(static_cast<std::uint32_t>(sectorsFor(miniFatBytes.bytes().size())))
      .U32(difatCount > 0 ? firstDifat : kEndOfChain)
      .U32(static_cast<std::uint32_t>(difatCount));
  for (std::size_t k = 0; k < 109; ++k)
    header.U32(k < fatCount ? firstFat + static_cast<std::uint32_t>(k) : kFreeSector);
  Bytes bytes = header.bytes();
  bytes.resize(sectorSize);
  for (const Bytes& run : runs) {
    bytes.insert(bytes.end(), run.begin(), run.end());
    bytes.resize(bytes.size() + (sectorSize - run.size() % sectorSize) % sectorSize);
  }
  for (std::size_t d = 0; d < difatCount; ++d) {
    ByteWriter difat;
    for (std::size_t k = 0; k + 1 < perSector; ++k) {
      const std::size_t fatIndex = 109 + d * (perSector - 1) + k;
      difat.U32(fatIndex < fatCount ? firstFat + static_cast<std::uint32_t>(fatIndex)
                                    : kFreeSector);
    }
    difat.U32(d + 1 < difatCount ? firstDifat + static_cast<std::uint32_t>(d + 1) : kEndOfChain);
    bytes.insert(bytes.end(), difat.bytes().begin(), difat.bytes().end());
  }
  ByteWriter fatBytes;
  for (std::uint32_t next : fat) fatBytes.U32(next);
  bytes.insert(bytes.end(), fatBytes.bytes().begin(), fatBytes.bytes().end());
  file.bytes = std::move(bytes);
  return file;
}

}  // namespace xls_test
