// The list of a program folder's files, "Application_FileList.txt", as the release tools write
// it: every file's path relative to the folder, with "\" between folder names, and its SHA-256
// as the value; sorted by name without regard to letter case (then by the exact name); the list
// itself is listed too. Its value, as the list cannot hold its own checksum, is the SHA-256 of
// the other entries as written (their UTF-8 lines, each ending in CR LF), so it still changes
// whenever any listed file does.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/upgrade/file_list.h"

namespace file_list {

// The entries for the files below `folder` as they are now. An "Application_FileList.txt"
// already in the folder is not read: its entry is the list's own.
upgrade::FileList ListProgramFolder(const std::filesystem::path& folder);

// The file's bytes: UTF-8 with a byte-order mark, one "name=value" line per entry, each ending
// in CR LF.
std::vector<std::uint8_t> SerializeFileList(const upgrade::FileList& list);

// Writes folder / "Application_FileList.txt" for the folder as it is now.
void WriteProgramFolderList(const std::filesystem::path& folder);

}  // namespace file_list
