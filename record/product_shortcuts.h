// The product's shortcuts, built in one place from the settings, the paths and the texts: the
// installation creates every row, and the registration rewrite compares each row with the record
// and makes again what changed.
#pragma once

#include <string>
#include <vector>

#include "app/app_paths.h"
#include "app/run_facts.h"
#include "app/setup_settings.h"
#include "record/uninst_struct_info.h"

enum class ShortcutKind { kProgram, kUninstaller, kManual, kDesktop };

struct ProductShortcut {
  ShortcutKind kind;
  std::wstring link;  // the .lnk file
  std::wstring target;
  std::wstring arguments;
  std::wstring icon;  // at index 0
  std::wstring description;
};

struct ProductShortcuts {
  std::wstring programsFolder;  // the common Start menu's programs folder, which stays
  // Below it: the publisher's folder (none for OEM packages), then the program's, named by the
  // texts "LINK_PROGRAMS_PUBLISHER" and "LINK_PROGRAMS_FOLDER".
  std::wstring menuFolder;
  // The program's, the uninstaller's, the manual's (only when %MANULA_EXIST is "1") and the
  // desktop shortcut, in that order.
  std::vector<ProductShortcut> rows;
};

// The shortcuts for the program folder and executable of `paths` and its uninstaller; the links
// are named by the texts of section "UNINSTALL", the manual by the run's language.
[[nodiscard]] ProductShortcuts BuildProductShortcuts(const SetupSettings& settings,
                                                     const STRUCT_AppPath& paths,
                                                     const RunFacts& facts);

// Creates the missing folders of the menu folder, below the programs folder.
void CreateMenuFolder(const ProductShortcuts& shortcuts);

// Writes the shortcut file of `row` (see CreateShortcut); false when the link object cannot be
// made.
[[nodiscard]] bool MakeShortcut(const ProductShortcut& row);

// Where the paths and the record keep the link of a kind of shortcut, and the private key's value
// that holds it.
struct ShortcutRecord {
  ShortcutKind kind;
  std::wstring STRUCT_AppPath::*pathsLink;
  std::wstring UNINSTStruct_INFO::*recordLink;
  const wchar_t* valueName;
};
[[nodiscard]] const ShortcutRecord& ShortcutRecordOf(ShortcutKind kind);

[[nodiscard]] inline std::wstring& LinkOf(STRUCT_AppPath& paths, ShortcutKind kind) {
  return paths.*ShortcutRecordOf(kind).pathsLink;
}
[[nodiscard]] inline const std::wstring& RecordedLink(const UNINSTStruct_INFO& record,
                                                      ShortcutKind kind) {
  return record.*ShortcutRecordOf(kind).recordLink;
}
