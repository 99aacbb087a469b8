// The shortcuts of a rewritten registration: made anew where their place, target, icon or
// document changed, kept where nothing did, and the emptied menu folders removed.
#include <windows.h>

#include "core/strings/string_util.h"
#include "record/product_shortcuts.h"
#include "record/registration_rewrite.h"
#include "util/folder_identity.h"
#include "util/folder_operations.h"

namespace {

// The record's paths come from the registry: only a shortcut file is ever deleted through them.
void DeleteShortcutFile(const std::wstring& link) {
  constexpr std::wstring_view kExtension = L".lnk";
  if (link.size() <= kExtension.size() ||
      !strings::EqualsIgnoreCase(std::wstring_view(link).substr(link.size() - kExtension.size()),
                                 kExtension)) {
    return;
  }
  ::DeleteFileW(link.c_str());
}

// The same file or folder: the same text, or two texts that open to the same one.
bool SamePlace(const std::wstring& a, const std::wstring& b) {
  return a == b || SameFolder(a, b);
}

// Whether a shortcut must be made again: its place changed, or what it starts or its icon moved
// since the old settings (`before`, null when they made no such shortcut). Without old settings
// (`oldKnown` false) nothing tells the old icon and manual: the uninstaller's and the manual's
// shortcuts are made again.
bool Changed(const ProductShortcut& row, const std::wstring& recorded,
             const ProductShortcut* before, bool oldKnown) {
  if (row.link != recorded) return true;
  if (!oldKnown) return row.kind == ShortcutKind::kUninstaller || row.kind == ShortcutKind::kManual;
  if (before == nullptr) return true;
  return !SamePlace(row.target, before->target) || !SamePlace(row.icon, before->icon);
}

const ProductShortcut* RowOf(const ProductShortcuts& shortcuts, ShortcutKind kind) {
  for (const ProductShortcut& row : shortcuts.rows) {
    if (row.kind == kind) return &row;
  }
  return nullptr;
}

// The shortcut's path after the rewrite: the recorded one when nothing changed, else the new
// one, or "" when the link object cannot be made.
std::wstring Renew(const std::wstring& recorded, bool changed, const ProductShortcut& row) {
  if (!changed) return recorded;
  DeleteShortcutFile(recorded);
  return MakeShortcut(row) ? row.link : L"";
}

std::wstring ParentFolder(const std::wstring& path) {
  const size_t separator = path.rfind(L'\\');
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

}  // namespace

void TRegistrationRewrite::RewriteShortcuts() {
  const ProductShortcuts shortcuts = BuildProductShortcuts(settings_, paths_, facts_);
  CreateMenuFolder(shortcuts);
  // The shortcuts the old settings made for the recorded program folder.
  const std::wstring oldProgram = OldProgramFolder();
  ProductShortcuts old;
  if (!oldProgram.empty()) {
    STRUCT_AppPath oldPaths = paths_;
    oldPaths.ProgramDir = oldProgram;
    oldPaths.ProgramExePath = oldProgram + OldSetting(L"%PROGRAM_EXEC");
    old = BuildProductShortcuts(*oldSettings_, oldPaths, facts_);
  }
  for (const ProductShortcut& row : shortcuts.rows) {
    const std::wstring& recorded = RecordedLink(record_, row.kind);
    LinkOf(paths_, row.kind) =
        Renew(recorded, Changed(row, recorded, RowOf(old, row.kind), !oldProgram.empty()), row);
  }
  // A manual no longer shipped loses its shortcut.
  if (RowOf(shortcuts, ShortcutKind::kManual) == nullptr && !record_.LINK_ProgramsManual.empty()) {
    DeleteShortcutFile(record_.LINK_ProgramsManual);
    paths_.LinkProgramsManual.clear();
  }
  RemoveEmptyMenuFolders(shortcuts.programsFolder, record_.LINK_ProgramsExec);
}

void RemoveEmptyMenuFolders(const std::wstring& base, const std::wstring& start) {
  std::wstring folder = strings::WithoutTrailingSeparator(start);
  const size_t separator = folder.rfind(L'\\');
  const size_t dot = folder.rfind(L'.');
  if (dot != std::wstring::npos && (separator == std::wstring::npos || dot > separator)) {
    folder = ParentFolder(folder);
  }
  const std::wstring stop = strings::WithoutTrailingSeparator(base);
  // A record naming a shortcut elsewhere must not start a walk up to the drive's root.
  if (!FolderContains(stop, folder)) return;
  while (!folder.empty() && !SameFolder(folder, stop)) {
    const std::wstring parent = ParentFolder(folder);
    if (parent.empty()) break;
    if (IsFolderEmpty(folder + L"\\")) ::RemoveDirectoryW(folder.c_str());
    folder = parent;
  }
}
