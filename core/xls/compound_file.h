// A read-only view of a compound file (the OLE container of .xls files): header, FAT with its
// DIFAT, directory, mini FAT and mini stream; sectors of 512 or 4096 bytes. Every chain is
// checked against the file's bounds and for loops, so broken files give an error, not a hang.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/xls/sheet.h"

namespace xls {

struct DirectoryEntry {
  std::u16string name;
  std::uint8_t type = 0;
  std::uint32_t leftSibling = 0;
  std::uint32_t rightSibling = 0;
  std::uint32_t child = 0;
  std::uint32_t startSector = 0;
  std::uint64_t size = 0;
};

class CompoundFile {
 public:
  static constexpr std::uint8_t kStorageObject = 1;
  static constexpr std::uint8_t kStreamObject = 2;
  static constexpr std::uint8_t kRootObject = 5;

  // Reads the header, FAT and directory of `file`, which must outlive this object.
  // Gives kNotCompoundFile or kCorruptCompoundFile on failure.
  ReadError Open(std::span<const std::uint8_t> file);

  // Looks for a stream directly inside the root storage, ignoring letter case. Streams of
  // embedded objects live in sub-storages and are deliberately not found. Sets `found` to
  // nullptr when there is no such stream; fails on a directory tree with a cycle.
  ReadError FindRootStream(std::u16string_view name, const DirectoryEntry*& found) const;

  // Reads a whole stream. When its chain breaks, `bytes` keeps what came before the break.
  ReadError ReadStream(const DirectoryEntry& entry, std::vector<std::uint8_t>& bytes) const;

  const std::vector<DirectoryEntry>& entries() const { return entries_; }

 private:
  ReadError ReadFat();
  ReadError ReadDirectory();
  ReadError ReadMiniStream() const;

  // Follows a chain of `sectorSize`-byte sectors through `table`, appending their bytes until
  // `byteCount` bytes are read or the chain ends. Fails on a loop, a sector outside `storage`
  // or a chain shorter than `byteCount` (unless `untilEnd`).
  static ReadError ReadChain(std::span<const std::uint8_t> storage, std::size_t storageOffset,
                             std::size_t sectorSize, const std::vector<std::uint32_t>& table,
                             std::uint32_t start, std::uint64_t byteCount, bool untilEnd,
                             std::vector<std::uint8_t>& bytes);

  std::span<const std::uint8_t> file_;
  std::size_t sectorSize_ = 512;
  std::uint32_t miniStreamCutoff_ = 4096;
  std::uint32_t firstDirectorySector_ = 0;
  std::uint32_t firstMiniFatSector_ = 0;
  std::vector<std::uint32_t> fat_;
  std::vector<DirectoryEntry> entries_;

  // The mini stream and its FAT are read on first use: most workbooks keep nothing there.
  mutable bool miniStreamRead_ = false;
  mutable ReadError miniStreamError_ = ReadError::kNone;
  mutable std::vector<std::uint32_t> miniFat_;
  mutable std::vector<std::uint8_t> miniStream_;
};

}  // namespace xls
