#include "upgrade/file_list_upgrade.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "app/app_paths.h"
#include "app/setup_settings.h"
#include "core/strings/string_util.h"
#include "core/upgrade/apply_plan.h"
#include "core/upgrade/list_comparison.h"
#include "util/file_bytes.h"
#include "util/held_folder.h"
#include "util/ini_file_io.h"
#include "util/link_safe_files.h"
#include "util/reg_key.h"
#include "util/setup_log.h"

std::optional<upgrade::FileList> LoadFileList(const std::wstring& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return upgrade::ReadFileList(*bytes, SystemCodePage());
}

namespace {

// Makes the missing folders of `folder` below `root` (neither ending with "\"; `folder` lies
// inside `root`), one step at a time. A step that exists as a file or as a link (a junction into
// another folder) is refused: nothing is created or written through it.
bool MakeFoldersInside(const std::wstring& root, const std::wstring& folder) {
  std::size_t end = root.size();
  while (end < folder.size()) {
    end = std::min(folder.find_first_of(L"\\/", end + 1), folder.size());
    const std::wstring path = folder.substr(0, end);
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      if (!::CreateDirectoryW(path.c_str(), nullptr)) {
        LogLine(L"failed (error " + std::to_wstring(::GetLastError()) +
                L"): the folder cannot be made: " + path);
        return false;
      }
      LogLine(L"created " + path);
    } else if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
               (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      LogLine(L"guard: not copied into a link or a file that stands in for a folder: " + path);
      return false;
    }
  }
  return true;
}

}  // namespace

std::size_t ApplyInstructions(const std::vector<upgrade::Instruction>& instructions,
                              const std::wstring& packageFolder,
                              const std::wstring& installedFolder, const PauseGate& passGate,
                              std::vector<std::wstring>* notDone) {
  const upgrade::ApplyPlan plan =
      upgrade::PlanComparedResult(instructions, packageFolder, installedFolder);
  for (const upgrade::Instruction& skipped : plan.skipped) {
    LogLine(L"guard: skipped, a name outside the program folder: " + skipped.name);
  }
  const std::wstring root = strings::WithoutTrailingSeparator(installedFolder);
  std::size_t failures = 0;
  for (const upgrade::FileOperation& operation : plan.operations) {
    if (passGate) passGate();
    // A link planted in the program folder would carry the name elsewhere.
    if (PassesThroughLink(operation.target, installedFolder)) {
      LogLine(L"guard: passed over, a link in the path: " + operation.target);
      if (operation.kind == upgrade::InstructionKind::kCopy) {
        ++failures;
        if (notDone != nullptr) notDone->push_back(operation.target.substr(root.size() + 1));
      }
      continue;
    }
    bool done = false;
    if (operation.kind == upgrade::InstructionKind::kCopy) {
      // A file of a folder the installation lacks arrives with its folder.
      const std::wstring folder = operation.target.substr(0, operation.target.find_last_of(L"\\/"));
      done = (folder.size() <= root.size() || MakeFoldersInside(root, folder)) &&
             CopyFileThroughGate(operation.source, operation.target, false, passGate);
      LogFileOperation(L"copied", operation.target, done);
    } else {
      // By a handle on its folder, checked to lie in the program folder: a folder swapped for a
      // link since the check above cannot lead the deletion elsewhere.
      done = HeldFolder::DeleteFileInside(operation.target, installedFolder);
      LogFileOperation(L"deleted", operation.target, done);
    }
    if (done) continue;
    ++failures;
    if (notDone != nullptr) notDone->push_back(operation.target.substr(root.size() + 1));
  }
  return failures;
}

std::size_t ApplyComparedResult(const std::wstring& instructionPath,
                                const std::wstring& packageFolder,
                                const std::wstring& installedFolder, const PauseGate& passGate,
                                std::vector<std::wstring>* notDone) {
  const auto bytes = ReadFileBytes(instructionPath);
  if (!bytes) {
    LogLine(L"failed: the instruction file cannot be read back: " + instructionPath);
    return 1;
  }
  return ApplyInstructions(upgrade::ReadComparedResult(*bytes, SystemCodePage()), packageFolder,
                           installedFolder, passGate, notDone);
}

void UpdateDisplayVersion(const std::wstring& setupIniPath) {
  const auto settings = SetupSettings::Read(setupIniPath);
  if (!settings) return;
  const std::wstring entry = settings->Value(L"%REG_FODLER_PROGNAME");
  // Without a name the path would be the Uninstall key of every program.
  if (entry.empty()) return;
  win::RegKey key;
  if (!key.Create(HKEY_LOCAL_MACHINE, kUninstallKeyPath + entry, KEY_WRITE) ||
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
  if (!newEntries) {
    LogLine(L"failed: the package's file list cannot be read: " + newList);
    return {{}, 1};
  }
  std::optional<upgrade::FileList> oldEntries = LoadFileList(oldList);
  // A list that is there but cannot be read would make every installed file look new.
  if (!oldEntries && FileExists(oldList)) {
    LogLine(L"failed: the installed file list cannot be read: " + oldList);
    return {{}, 1};
  }
  if (!oldEntries) oldEntries.emplace();
  std::vector<std::wstring> result;
  upgrade::ListCopies(*newEntries, *oldEntries, result);
  upgrade::ListDeletions(*newEntries, *oldEntries, result);
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
  std::vector<std::wstring> notDone;
  if (!instructionPath.empty() && WriteFileBytes(instructionPath, bytes)) {
    failures = ApplyComparedResult(instructionPath, newFolder, oldFolder, passGate, &notDone);
  } else {
    // Without a place for the instruction file the instructions are carried out as made.
    failures = ApplyInstructions(upgrade::ReadComparedResult(bytes, SystemCodePage()), newFolder,
                                 oldFolder, passGate, &notDone);
  }
  if (passGate) passGate();
  if (failures == 0) {
    LogFileOperation(L"copied", oldList, CopyFileThroughGate(newList, oldList, false, nullptr));
  } else {
    // What was not done keeps its installed line, so that the next run of this upgrade finds it
    // again and does exactly that.
    const bool written = WriteFileBytes(oldList, upgrade::WriteFileList(upgrade::ListAfterUpgrade(
                                                     *newEntries, *oldEntries, notDone)));
    LogFileOperation(
        L"written (the installed files, " + std::to_wstring(failures) + L" not as the package's)",
        oldList, written);
    LogLine(L"failed: the upgrade is incomplete; running this package again completes it");
  }
  // The updater reads the version: it is recorded either way.
  UpdateDisplayVersion(setupIniPath);
  return {std::move(result), failures};
}
