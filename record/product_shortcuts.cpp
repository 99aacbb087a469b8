#include "record/product_shortcuts.h"

#include <shlobj.h>

#include "core/strings/string_util.h"
#include "util/folder_operations.h"
#include "util/shortcuts.h"
#include "util/special_folders.h"

namespace {

// `name` inside `folder`: one separator between them.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
  return strings::WithTrailingSeparator(folder) + name;
}

std::wstring LinkFile(const std::wstring& folder, const std::wstring& name) {
  return JoinPath(folder, name + L".lnk");
}

}  // namespace

ProductShortcuts BuildProductShortcuts(const SetupSettings& settings, const STRUCT_AppPath& paths,
                                       const RunFacts& facts) {
  const auto text = [&](const wchar_t* identifier) { return facts.Text(L"UNINSTALL", identifier); };
  ProductShortcuts shortcuts;
  shortcuts.programsFolder = GetSpecialFolder(CSIDL_COMMON_PROGRAMS);
  shortcuts.menuFolder = shortcuts.programsFolder;
  const std::wstring publisherFolder =
      settings.Value(L"%PUBLISHER") == L"OEM" ? L"" : text(L"LINK_PROGRAMS_PUBLISHER");
  const std::wstring programFolder = text(L"LINK_PROGRAMS_FOLDER");
  if (!publisherFolder.empty()) shortcuts.menuFolder += L"\\" + publisherFolder;
  if (!programFolder.empty()) shortcuts.menuFolder += L"\\" + programFolder;

  const std::wstring& menu = shortcuts.menuFolder;
  const std::wstring& exe = paths.ProgramExePath;
  const std::wstring& program = paths.ProgramDir;
  auto& rows = shortcuts.rows;
  rows.push_back({ShortcutKind::kProgram, LinkFile(menu, text(L"LINK_PROGRAMS_EXEC")), exe, L"",
                  exe, facts.productName});
  const std::wstring uninstallText = text(L"LINK_PROGRAMS_UNIST");
  rows.push_back({ShortcutKind::kUninstaller, LinkFile(menu, uninstallText), paths.UninstallerPath,
                  L"uninstall", JoinPath(program, settings.Value(L"%UNINST_ICO")), uninstallText});
  if (settings.Value(L"%MANULA_EXIST") == L"1") {
    const std::wstring manualText = text(L"LINK_PROGRAMS_MANUAL");
    rows.push_back({ShortcutKind::kManual, LinkFile(menu, manualText),
                    JoinPath(program, settings.Value(L"%MANUAL_DIR") + facts.language + L".pdf"),
                    L"", JoinPath(program, settings.Value(L"%MANUAL_ICO")), manualText});
  }
  rows.push_back({ShortcutKind::kDesktop,
                  LinkFile(GetSpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY), text(L"LINK_DESKTOP")),
                  exe, L"", exe, facts.productName});
  return shortcuts;
}

void CreateMenuFolder(const ProductShortcuts& shortcuts) {
  // Made for a file inside it, so that a folder name with a dot is not taken for a file's.
  CreateFolderPath(shortcuts.menuFolder + L"\\.lnk", shortcuts.programsFolder);
}

bool MakeShortcut(const ProductShortcut& row) {
  return CreateShortcut(row.link, row.target, row.description, row.arguments, row.icon);
}

const ShortcutRecord& ShortcutRecordOf(ShortcutKind kind) {
  static const ShortcutRecord kRecords[] = {
      {ShortcutKind::kProgram, &STRUCT_AppPath::LinkProgramsExec,
       &UNINSTStruct_INFO::LINK_ProgramsExec, L"LINK_ProgramsExec"},
      {ShortcutKind::kUninstaller, &STRUCT_AppPath::LinkProgramUnist,
       &UNINSTStruct_INFO::LINK_ProgramUnist, L"LINK_ProgramUnist"},
      {ShortcutKind::kManual, &STRUCT_AppPath::LinkProgramsManual,
       &UNINSTStruct_INFO::LINK_ProgramsManual, L"LINK_ProgramsManual"},
      {ShortcutKind::kDesktop, &STRUCT_AppPath::LinkDesktopExec,
       &UNINSTStruct_INFO::LINK_DesktopExec, L"LINK_DesktopExec"},
  };
  for (const ShortcutRecord& record : kRecords) {
    if (record.kind == kind) return record;
  }
  return kRecords[3];
}
