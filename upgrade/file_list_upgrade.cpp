#include "upgrade/file_list_upgrade.h"

#include <windows.h>

#include <optional>
#include <utility>

#include "app/app.h"
#include "app/setup_settings.h"
#include "core/strings/string_util.h"
#include "core/upgrade/apply_plan.h"
#include "core/upgrade/list_comparison.h"
#include "util/file_bytes.h"
#include "util/ini_file_io.h"
#include "util/link_safe_files.h"
#include "util/reg_key.h"
#include "util/setup_log.h"

std::optional<upgrade::FileList> LoadFileList(const std::wstring& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return upgrade::ReadFileList(*bytes, SystemCodePage());
}

std::size_t ApplyInstructions(const std::vector<upgrade::Instruction>& instructions,
                              const std::wstring& packageFolder,
                              const std::wstring& installedFolder, const PauseGate& passGate) {
  const upgrade::ApplyPlan plan =
      upgrade::PlanComparedResult(instructions, packageFolder, installedFolder);
  for (const upgrade::Instruction& skipped : plan.skipped) {
    LogLine(L"guard: skipped, a name outside the program folder: " + skipped.name);
  }
  std::size_t failures = 0;
  for (const upgrade::FileOperation& operation : plan.operations) {
    if (passGate) passGate();
    // A link planted in the program folder would carry the name elsewhere.
    if (PassesThroughLink(operation.target, installedFolder)) {
      LogLine(L"guard: passed over, a link in the path: " + operation.target);
      if (operation.kind == upgrade::InstructionKind::kCopy) ++failures;
      continue;
    }
    bool done = false;
    if (operation.kind == upgrade::InstructionKind::kCopy) {
      done = CopyFileThroughGate(operation.source, operation.target, false, passGate);
      LogFileOperation(L"copied", operation.target, done);
    } else {
      done = ::DeleteFileW(operation.target.c_str()) != FALSE;
      LogFileOperation(L"deleted", operation.target, done);
    }
    if (!done) ++failures;
  }
  return failures;
}

std::size_t ApplyComparedResult(const std::wstring& instructionPath,
                                const std::wstring& packageFolder,
                                const std::wstring& installedFolder, const PauseGate& passGate) {
  const auto bytes = ReadFileBytes(instructionPath);
  if (!bytes) return 1;
  return ApplyInstructions(upgrade::ReadComparedResult(*bytes, SystemCodePage()), packageFolder,
                           installedFolder, passGate);
}

void UpdateDisplayVersion(const std::wstring& setupIniPath) {
  const auto settings = SetupSettings::Read(setupIniPath);
  if (!settings) return;
  const std::wstring entry = settings->Value(L"%REG_FODLER_PROGNAME");
  // Without a name the path would be the Uninstall key of every program.
  if (entry.empty()) return;
  win::RegKey key;
  if (!key.Create(HKEY_LOCAL_MACHINE, App.Paths.UninstallKey + entry, KEY_WRITE) ||
      !key.WriteString(L"DisplayVersion", settings->Value(L"%PROGRAM_VERSION"))) {
    LogLine(L"upgrade: the uninstall entry keeps its earlier version: " + entry);
  }
}

AppliedUpgrade CompareAndApply(const std::wstring& newFolder, const std::wstring& oldFolder,
                               const std::wstring& instructionFolder,
                               const std::wstring& setupIniPath, const PauseGate& passGate) {
  const std::wstring listName(upgrade::kFileListName);
  const std::wstring newList = strings::WithTrailingSeparator(newFolder) + listName;
  const std::wstring oldList = strings::WithTrailingSeparator(oldFolder) + listName;
  // Without the package's list every installed file would count as removed from the package:
  // nothing is done rather than the program deleted.
  const std::optional<upgrade::FileList> newEntries = LoadFileList(newList);
  if (!newEntries) return {};
  const upgrade::FileList oldEntries = LoadFileList(oldList).value_or(upgrade::FileList{});
  std::vector<std::wstring> result;
  upgrade::ListCopies(*newEntries, oldEntries, result);
  upgrade::ListDeletions(*newEntries, oldEntries, result);
  if (result.empty()) return {};
  const std::vector<std::wstring> skipped =
      upgrade::TakeOutUnencodableLines(result, SystemCodePage());
  result.insert(result.end(), skipped.begin(), skipped.end());

  const auto bytes = upgrade::WriteComparedResult(result, SystemCodePage());
  const std::wstring instructionPath = instructionFolder.empty()
                                           ? std::wstring()
                                           : strings::WithTrailingSeparator(instructionFolder) +
                                                 std::wstring(upgrade::kComparedResultName);
  std::size_t failures = 0;
  if (!instructionPath.empty() && WriteFileBytes(instructionPath, bytes)) {
    failures = ApplyComparedResult(instructionPath, newFolder, oldFolder, passGate);
  } else {
    // Without a place for the instruction file the instructions are carried out as made.
    failures = ApplyInstructions(upgrade::ReadComparedResult(bytes, SystemCodePage()), newFolder,
                                 oldFolder, passGate);
  }
  if (passGate) passGate();
  LogFileOperation(L"copied", oldList, CopyFileThroughGate(newList, oldList, false, nullptr));
  UpdateDisplayVersion(setupIniPath);
  return {std::move(result), failures};
}
