// The shortcuts of a rewritten registration: made anew where their place, target, icon or
// document changed, kept where nothing did, and the emptied menu folders removed.
#include <shlobj.h>
#include <windows.h>

#include "app/app.h"
#include "core/strings/string_util.h"
#include "record/registration_rewrite.h"
#include "util/folder_identity.h"
#include "util/folder_operations.h"
#include "util/shortcuts.h"
#include "util/special_folders.h"

namespace {

std::wstring Text(const wchar_t* identifier) {
  return App.GetText(L"UNINSTALL", identifier);
}

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

struct Shortcut {
  std::wstring link;
  std::wstring target;
  std::wstring description;
  std::wstring arguments;
  std::wstring icon;
};

// The shortcut's path after the rewrite: the recorded one when nothing changed, else the new
// one, or "" when the link object cannot be made.
std::wstring Renew(const std::wstring& recorded, bool changed, const Shortcut& shortcut) {
  if (!changed) return recorded;
  DeleteShortcutFile(recorded);
  return CreateShortcut(shortcut.link, shortcut.target, shortcut.description, shortcut.arguments,
                        shortcut.icon)
             ? shortcut.link
             : L"";
}

std::wstring ParentFolder(const std::wstring& path) {
  const size_t separator = path.rfind(L'\\');
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

}  // namespace

void TRegistrationRewrite::RewriteShortcuts(const std::wstring& publisherFolder,
                                            const std::wstring& programFolder) {
  STRUCT_AppPath& paths = paths_;
  const std::wstring programs = GetSpecialFolder(CSIDL_COMMON_PROGRAMS);
  std::wstring menu = programs;
  if (!publisherFolder.empty()) menu += L"\\" + publisherFolder;
  if (!programFolder.empty()) menu += L"\\" + programFolder;
  // Made for a file inside it, so that a folder name with a dot is not taken for a file's.
  CreateFolderPath(menu + L"\\" + Text(L"LINK_PROGRAMS_EXEC") + L".lnk", programs);

  const std::wstring program = strings::WithTrailingSeparator(paths.ProgramDir);
  const std::wstring& exe = paths.ProgramExePath;
  const std::wstring oldProgram = OldProgramFolder();
  // A moved installation leaves the program and desktop shortcuts pointing into the old folder.
  const bool exeMoved =
      !oldProgram.empty() && !SameFolder(oldProgram + OldSetting(L"%PROGRAM_EXEC"), exe);

  const std::wstring execLink = menu + L"\\" + Text(L"LINK_PROGRAMS_EXEC") + L".lnk";
  paths.LinkProgramsExec =
      Renew(record_.LINK_ProgramsExec, execLink != record_.LINK_ProgramsExec || exeMoved,
            {execLink, exe, App.Info.ProductName, L"", exe});

  const std::wstring uninstallText = Text(L"LINK_PROGRAMS_UNIST");
  const std::wstring uninstallLink = menu + L"\\" + uninstallText + L".lnk";
  const std::wstring uninstallIcon = program + Setting(L"%UNINST_ICO");
  const std::wstring oldUninstallIcon =
      oldProgram.empty() ? L"" : oldProgram + OldSetting(L"%UNINST_ICO");
  paths.LinkProgramUnist =
      Renew(record_.LINK_ProgramUnist,
            uninstallLink != record_.LINK_ProgramUnist || uninstallIcon != oldUninstallIcon,
            {uninstallLink, paths.UninstallerPath, uninstallText, L"uninstall", uninstallIcon});

  if (Setting(L"%MANULA_EXIST") == L"1") {
    const std::wstring manualText = Text(L"LINK_PROGRAMS_MANUAL");
    const std::wstring manualLink = menu + L"\\" + manualText + L".lnk";
    const std::wstring document = program + Setting(L"%MANUAL_DIR") + App.Info.Language + L".pdf";
    const std::wstring icon = program + Setting(L"%MANUAL_ICO");
    std::wstring oldDocument;
    std::wstring oldIcon;
    if (!oldProgram.empty()) {
      oldDocument = oldProgram + strings::WithTrailingSeparator(OldSetting(L"%MANUAL_DIR")) +
                    App.Info.Language + L".pdf";
      oldIcon = oldProgram + OldSetting(L"%MANUAL_ICO");
    }
    paths.LinkProgramsManual = Renew(
        record_.LINK_ProgramsManual,
        manualLink != record_.LINK_ProgramsManual || document != oldDocument || icon != oldIcon,
        {manualLink, document, manualText, L"", icon});
  } else if (!record_.LINK_ProgramsManual.empty()) {
    DeleteShortcutFile(record_.LINK_ProgramsManual);
    paths.LinkProgramsManual.clear();
  }

  RemoveEmptyMenuFolders(programs, record_.LINK_ProgramsExec);

  const std::wstring desktopLink =
      GetSpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\" + Text(L"LINK_DESKTOP") + L".lnk";
  paths.LinkDesktopExec =
      Renew(record_.LINK_DesktopExec, desktopLink != record_.LINK_DesktopExec || exeMoved,
            {desktopLink, exe, App.Info.ProductName, L"", exe});
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
