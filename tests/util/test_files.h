// Files and folders the utility tests lay out in the Wine prefix's C: drive, made with plain
// Win32 calls so that the code under test does not prepare its own fixtures.
#pragma once

#include <shlobj.h>
#include <windows.h>

#include <optional>
#include <string>

#include "core/strings/string_util.h"
#include "util/file_bytes.h"

namespace test_files {

// A new, empty folder C:\util-tests\<name>\ (any earlier one of that name is removed first).
std::wstring FreshFolder(const std::wstring& name);

// Creates the folder and its missing parents.
void MakeFolders(const std::wstring& path);

// Writes `text` (ASCII) into the file, creating its folders.
void WriteText(const std::wstring& path, const std::string& text);
// The file's content; nothing when it cannot be read.
std::optional<std::string> ReadText(const std::wstring& path);

bool IsFolder(const std::wstring& path);
bool IsFile(const std::wstring& path);
DWORD Attributes(const std::wstring& path);

// Makes `link` a symbolic link to the folder `target` (created when missing) with Unix ln -s,
// as a local user could plant a junction: Wine reports it as a folder with the reparse-point
// attribute. Whether the link is there afterwards.
bool PlantLink(const std::wstring& link, const std::wstring& target);

// The rights the access list of `path` allows the well-known group `who` (generic rights
// mapped), as GetNamedSecurityInfoW reports them; 0 when it names the group nowhere.
DWORD RightsOf(const std::wstring& path, WELL_KNOWN_SID_TYPE who);

// Whether the rights allow changing the entry: writing, adding, deleting, changing permissions.
inline bool AllowsWriting(DWORD rights) {
  return (rights & (FILE_WRITE_DATA | FILE_APPEND_DATA | DELETE | WRITE_DAC)) != 0;
}

// The folder of the running test program, with a trailing "\".
std::wstring ProgramFolder();

// The special folder of that CSIDL, as SHGetFolderPathW gives it now (no trailing "\"); empty
// when there is none.
std::wstring SpecialFolder(int csidl);

}  // namespace test_files
