#include "core/xls/compound_file.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "core/xls/letter_case.h"
#include "core/xls/little_endian.h"

namespace xls {
namespace {

constexpr std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr std::size_t kHeaderFieldsSize = 512;
constexpr std::size_t kHeaderDifatEntries = 109;
constexpr std::size_t kHeaderDifatOffset = 76;
constexpr std::size_t kDirectoryEntrySize = 128;
constexpr std::size_t kMiniSectorSize = 64;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kNoEntry = 0xFFFFFFFF;

std::vector<std::uint32_t> ToTable(const std::vector<std::uint8_t>& bytes) {
  std::vector<std::uint32_t> table(bytes.size() / 4);
  for (std::size_t i = 0; i < table.size(); ++i) table[i] = LoadU32(bytes, i * 4);
  return table;
}

DirectoryEntry ParseDirectoryEntry(std::span<const std::uint8_t> bytes, bool wideSizes) {
  DirectoryEntry entry;
  const std::size_t nameBytes = std::min<std::size_t>(LoadU16(bytes, 64), 64);
  for (std::size_t i = 0; i + 1 < nameBytes; i += 2) {
    const char16_t unit = LoadU16(bytes, i);
    if (unit == 0) break;
    entry.name.push_back(unit);
  }
  entry.type = bytes[66];
  entry.leftSibling = LoadU32(bytes, 68);
  entry.rightSibling = LoadU32(bytes, 72);
  entry.child = LoadU32(bytes, 76);
  entry.startSector = LoadU32(bytes, 116);
  // Files with 512-byte sectors may leave garbage in the upper half of the size.
  entry.size = wideSizes ? LoadU64(bytes, 120) : LoadU32(bytes, 120);
  return entry;
}

}  // namespace

ReadError CompoundFile::Open(std::span<const std::uint8_t> file) {
  file_ = file;
  if (file.size() < kHeaderFieldsSize || std::memcmp(file.data(), kSignature, 8) != 0) {
    return ReadError::kNotCompoundFile;
  }
  const std::uint16_t sectorShift = LoadU16(file, 30);
  const std::uint16_t miniSectorShift = LoadU16(file, 32);
  if ((sectorShift != 9 && sectorShift != 12) || miniSectorShift != 6) {
    return ReadError::kNotCompoundFile;
  }
  sectorSize_ = std::size_t{1} << sectorShift;
  firstDirectorySector_ = LoadU32(file, 48);
  miniStreamCutoff_ = LoadU32(file, 56);
  firstMiniFatSector_ = LoadU32(file, 60);

  if (ReadError error = ReadFat(); error != ReadError::kNone) return error;
  return ReadDirectory();
}

ReadError CompoundFile::ReadFat() {
  const std::size_t sectorsInFile =
      file_.size() > sectorSize_ ? (file_.size() - 1) / sectorSize_ : 0;
  const std::uint32_t fatSectorCount = LoadU32(file_, 44);
  if (fatSectorCount > sectorsInFile) return ReadError::kCorruptCompoundFile;

  std::vector<std::uint32_t> fatSectors;
  fatSectors.reserve(fatSectorCount);
  for (std::size_t i = 0; i < kHeaderDifatEntries && fatSectors.size() < fatSectorCount; ++i) {
    fatSectors.push_back(LoadU32(file_, kHeaderDifatOffset + i * 4));
  }
  // Files of more than about 7 MB list further FAT sectors in a chain of DIFAT sectors, each
  // ending with the number of the next one.
  const std::size_t entriesPerSector = sectorSize_ / 4;
  std::vector<bool> visitedDifat(sectorsInFile);
  std::uint32_t difatSector = LoadU32(file_, 68);
  while (fatSectors.size() < fatSectorCount) {
    if (difatSector >= sectorsInFile || visitedDifat[difatSector]) {
      return ReadError::kCorruptCompoundFile;
    }
    visitedDifat[difatSector] = true;
    const std::size_t offset = (difatSector + std::size_t{1}) * sectorSize_;
    if (offset + sectorSize_ > file_.size()) return ReadError::kCorruptCompoundFile;
    for (std::size_t i = 0; i + 1 < entriesPerSector && fatSectors.size() < fatSectorCount; ++i) {
      fatSectors.push_back(LoadU32(file_, offset + i * 4));
    }
    difatSector = LoadU32(file_, offset + (entriesPerSector - 1) * 4);
  }

  fat_.resize(fatSectors.size() * entriesPerSector);
  std::size_t next = 0;
  for (std::uint32_t sector : fatSectors) {
    if (sector >= sectorsInFile) return ReadError::kCorruptCompoundFile;
    const std::size_t offset = (sector + std::size_t{1}) * sectorSize_;
    if (offset + sectorSize_ > file_.size()) return ReadError::kCorruptCompoundFile;
    for (std::size_t i = 0; i < entriesPerSector; ++i) {
      fat_[next++] = LoadU32(file_, offset + i * 4);
    }
  }
  return ReadError::kNone;
}

ReadError CompoundFile::ReadDirectory() {
  std::vector<std::uint8_t> bytes;
  if (ReadError error = ReadChain(file_, sectorSize_, sectorSize_, fat_, firstDirectorySector_, 0,
                                  /*untilEnd=*/true, bytes);
      error != ReadError::kNone) {
    return error;
  }
  const std::span<const std::uint8_t> view(bytes);
  const std::size_t count = bytes.size() / kDirectoryEntrySize;
  entries_.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    entries_.push_back(ParseDirectoryEntry(
        view.subspan(i * kDirectoryEntrySize, kDirectoryEntrySize), sectorSize_ != 512));
  }
  if (entries_.empty() || entries_[0].type != kRootObject) return ReadError::kCorruptCompoundFile;
  return ReadError::kNone;
}

ReadError CompoundFile::FindRootStream(std::u16string_view name,
                                       const DirectoryEntry*& found) const {
  found = nullptr;
  // The children of a storage form a binary tree through the sibling links. The whole tree is
  // walked, so that a cycle is reported whether or not the stream comes before it.
  std::vector<bool> visited(entries_.size());
  std::vector<std::uint32_t> pending = {entries_[0].child};
  while (!pending.empty()) {
    const std::uint32_t id = pending.back();
    pending.pop_back();
    if (id == kNoEntry) continue;
    if (id >= entries_.size() || id == 0 || visited[id]) return ReadError::kCorruptCompoundFile;
    visited[id] = true;
    const DirectoryEntry& entry = entries_[id];
    if (found == nullptr && entry.type == kStreamObject && EqualIgnoringCase(entry.name, name)) {
      found = &entry;
    }
    pending.push_back(entry.leftSibling);
    pending.push_back(entry.rightSibling);
  }
  return ReadError::kNone;
}

ReadError CompoundFile::ReadStream(const DirectoryEntry& entry,
                                   std::vector<std::uint8_t>& bytes) const {
  bytes.clear();
  if (entry.size > file_.size()) return ReadError::kCorruptCompoundFile;
  if (entry.type != kRootObject && entry.size < miniStreamCutoff_) {
    if (!miniStreamRead_) {
      miniStreamError_ = ReadMiniStream();
      miniStreamRead_ = true;
    }
    if (miniStreamError_ != ReadError::kNone) return miniStreamError_;
    return ReadChain(miniStream_, 0, kMiniSectorSize, miniFat_, entry.startSector, entry.size,
                     /*untilEnd=*/false, bytes);
  }
  return ReadChain(file_, sectorSize_, sectorSize_, fat_, entry.startSector, entry.size,
                   /*untilEnd=*/false, bytes);
}

ReadError CompoundFile::ReadMiniStream() const {
  if (ReadError error = ReadStream(entries_[0], miniStream_); error != ReadError::kNone) {
    return error;
  }
  std::vector<std::uint8_t> miniFatBytes;
  if (ReadError error = ReadChain(file_, sectorSize_, sectorSize_, fat_, firstMiniFatSector_, 0,
                                  /*untilEnd=*/true, miniFatBytes);
      error != ReadError::kNone) {
    return error;
  }
  miniFat_ = ToTable(miniFatBytes);
  return ReadError::kNone;
}

ReadError CompoundFile::ReadChain(std::span<const std::uint8_t> storage, std::size_t storageOffset,
                                  std::size_t sectorSize, const std::vector<std::uint32_t>& table,
                                  std::uint32_t start, std::uint64_t byteCount, bool untilEnd,
                                  std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  if (!untilEnd) {
    if (byteCount > storage.size()) return ReadError::kCorruptCompoundFile;
    bytes.reserve(static_cast<std::size_t>(byteCount));
  }
  std::vector<bool> visited(table.size());
  std::uint32_t sector = start;
  while (untilEnd || bytes.size() < byteCount) {
    if (sector == kEndOfChain) {
      return untilEnd ? ReadError::kNone : ReadError::kCorruptCompoundFile;
    }
    if (sector >= table.size() || visited[sector]) return ReadError::kCorruptCompoundFile;
    visited[sector] = true;
    const std::size_t wanted = untilEnd ? sectorSize
                                        : static_cast<std::size_t>(std::min<std::uint64_t>(
                                              sectorSize, byteCount - bytes.size()));
    const std::uint64_t offset = storageOffset + std::uint64_t{sector} * sectorSize;
    if (offset > storage.size() || storage.size() - offset < wanted) {
      return ReadError::kCorruptCompoundFile;
    }
    const auto first = storage.begin() + static_cast<std::ptrdiff_t>(offset);
    bytes.insert(bytes.end(), first, first + static_cast<std::ptrdiff_t>(wanted));
    sector = table[sector];
  }
  return ReadError::kNone;
}

}  // namespace xls
