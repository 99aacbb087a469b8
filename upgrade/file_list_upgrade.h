// Bringing an installed program folder up to a package's program folder by their file lists:
// the differences are written to "ComparedResult.txt" and carried out, then the package's list
// replaces the installed one and the uninstall entry gets the package's version.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/upgrade/compared_result.h"
#include "core/upgrade/file_list.h"
#include "util/gated_file_copy.h"

// The list in `path`; nothing when the file is missing or cannot be read.
std::optional<upgrade::FileList> LoadFileList(const std::wstring& path);

// Carries out the instructions: copies from `packageFolder` over files of `installedFolder`
// (creating the missing folders of a copy inside `installedFolder`, never through a link or a
// file in a folder's place) and deletes files of `installedFolder`, passing `passGate` before
// each operation and inside each copy. Instructions whose names lead out of the folders are
// passed over, as are failed copies and deletions. Returns how many copies and deletions failed,
// and appends their names to `notDone` when given.
std::size_t ApplyInstructions(const std::vector<upgrade::Instruction>& instructions,
                              const std::wstring& packageFolder,
                              const std::wstring& installedFolder,
                              const PauseGate& passGate = nullptr,
                              std::vector<std::wstring>* notDone = nullptr);

// Reads the instruction file at `instructionPath` and carries it out. Returns how many copies and
// deletions failed; an instruction file that cannot be read counts as one.
std::size_t ApplyComparedResult(const std::wstring& instructionPath,
                                const std::wstring& packageFolder,
                                const std::wstring& installedFolder,
                                const PauseGate& passGate = nullptr,
                                std::vector<std::wstring>* notDone = nullptr);

// Writes "DisplayVersion" = %PROGRAM_VERSION into the uninstall entry %REG_FODLER_PROGNAME named
// by the settings file at `setupIniPath`. Nothing without the file or without an entry name.
void UpdateDisplayVersion(const std::wstring& setupIniPath);

struct AppliedUpgrade {
  // The instruction lines; empty when the lists agree or nothing was done.
  std::vector<std::wstring> instructions;
  // Copies and deletions that failed.
  std::size_t failures = 0;
};

// Compares the lists of the two folders and, when they differ, writes the instruction file into
// `instructionFolder`, carries it out, copies the new list over the old and records the version
// from `setupIniPath`. When copies or deletions failed, the installed list is written as the
// package's but for those files, which keep their installed lines (upgrade::ListAfterUpgrade), so
// that running the same upgrade again completes it; the version is recorded all the same.
// A missing installed list counts as empty; without the package's list, or with an installed
// list that is there but cannot be read, nothing is done and that counts as one failure.
// `passGate` is passed before every copy and deletion and before the list and version are
// replaced.
AppliedUpgrade CompareAndApply(const std::wstring& newFolder, const std::wstring& oldFolder,
                               const std::wstring& instructionFolder,
                               const std::wstring& setupIniPath,
                               const PauseGate& passGate = nullptr);
