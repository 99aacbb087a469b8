// What carrying out "ComparedResult.txt" does to which files, decided before any file is touched.
// The Windows side performs the operations: a copy overwriting (creating the subfolders the
// installed folder lacks), a deletion, and counts those that failed.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/upgrade/compared_result.h"

namespace upgrade {

struct FileOperation {
  InstructionKind kind = InstructionKind::kCopy;
  std::wstring source;  // copies only: the file in the package's program folder
  std::wstring target;  // the file in the installed program folder

  bool operator==(const FileOperation&) const = default;
};

struct ApplyPlan {
  std::vector<FileOperation> operations;  // in the order of the instructions
  std::vector<Instruction> skipped;       // in their order; nothing is done for these
};

// One operation for each instruction whose name passes IsNameInsideFolder (list_paths.h); the
// others are skipped. The name is joined to each folder with a "\" unless the folder already ends
// in one. An empty folder would make the name relative to the current folder, so instructions that
// need an empty folder are skipped too.
ApplyPlan PlanComparedResult(std::span<const Instruction> instructions,
                             std::wstring_view packageFolder, std::wstring_view installedFolder);

}  // namespace upgrade
