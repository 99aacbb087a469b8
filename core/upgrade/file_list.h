// The list of a program folder's files, "Application_FileList.txt": one "name=value" entry a line,
// where the name is a file's path relative to the folder and the value changes whenever the file
// does.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/strings/code_page.h"

namespace upgrade {

inline constexpr std::wstring_view kFileListName = L"Application_FileList.txt";

struct FileListEntry {
  std::wstring name;
  std::wstring value;

  bool operator==(const FileListEntry&) const = default;
};

using FileList = std::vector<FileListEntry>;

// One entry a line, lines ending in CR LF, LF or CR; a line end at the very end opens no further
// line. Each line is split at its first "=", and nothing is trimmed. A line without "=" (an empty
// one too) is an entry with the empty name and the empty value; it is kept, so that a list
// compares as it was written.
FileList ParseFileList(std::wstring_view text);

// The bytes of a list file: a byte-order mark selects UTF-8 or UTF-16 of either byte order,
// anything else is decoded with `codePage` (the system code page on Windows).
FileList ReadFileList(std::span<const std::uint8_t> bytes, const strings::CodePage& codePage);

// The bytes of a list file as the release tools write it: UTF-8 with a byte-order mark, one
// "name=value" line each, every line ended by CR LF; an entry with neither name nor value is an
// empty line.
std::vector<std::uint8_t> WriteFileList(const FileList& list);

// The installed list after an upgrade that did not carry out every instruction: the package's
// list `newList`, except that each name in `notDone` (a copy or deletion that failed, letter case
// ignored) keeps the installed list's entry from `oldList`, or has none when the installed list
// had none. The next comparison of the two lists then repeats exactly what was not done.
FileList ListAfterUpgrade(const FileList& newList, const FileList& oldList,
                          std::span<const std::wstring> notDone);

}  // namespace upgrade
