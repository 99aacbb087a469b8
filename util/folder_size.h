// The size of a folder's files, for the uninstall entry's estimate.
#pragma once

#include <cstdint>
#include <string>

// The bytes of every file in the folder and its subfolders. Links and junctions are not
// followed (their own size counts for nothing); a folder that cannot be read counts as empty.
std::uint64_t FolderSizeBytes(const std::wstring& folder);

// Bytes as whole kilobytes (1,024 bytes), rounded up, at most the largest DWORD.
std::uint32_t KilobytesRoundedUp(std::uint64_t bytes);
