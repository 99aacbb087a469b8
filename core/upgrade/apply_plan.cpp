#include "core/upgrade/apply_plan.h"

#include <optional>

#include "core/strings/string_util.h"
#include "core/upgrade/list_paths.h"

namespace upgrade {
namespace {

std::optional<FileOperation> OperationFor(const Instruction& instruction,
                                          std::wstring_view packageFolder,
                                          std::wstring_view installedFolder) {
  if (!IsNameInsideFolder(instruction.name) || installedFolder.empty()) return std::nullopt;
  FileOperation operation{instruction.kind, {}, {}};
  operation.target = strings::WithTrailingSeparator(installedFolder) + instruction.name;
  if (instruction.kind == InstructionKind::kCopy) {
    if (packageFolder.empty()) return std::nullopt;
    operation.source = strings::WithTrailingSeparator(packageFolder) + instruction.name;
  }
  return operation;
}

}  // namespace

ApplyPlan PlanComparedResult(std::span<const Instruction> instructions,
                             std::wstring_view packageFolder, std::wstring_view installedFolder) {
  ApplyPlan plan;
  for (const Instruction& instruction : instructions) {
    if (auto operation = OperationFor(instruction, packageFolder, installedFolder)) {
      plan.operations.push_back(std::move(*operation));
    } else {
      plan.skipped.push_back(instruction);
    }
  }
  return plan;
}

}  // namespace upgrade
