#include "install/startup_and_shortcuts.h"

#include <shlobj.h>
#include <windows.h>

#include "app/app.h"
#include "install/install_thread.h"
#include "record/record_values.h"
#include "util/com_init.h"
#include "util/reg_key.h"
#include "util/shortcuts.h"
#include "util/special_folders.h"

namespace {

// The link's path when the link object was made, "" otherwise.
std::wstring MadeShortcut(TInstallThread& thread, const std::wstring& link,
                          const std::wstring& target, const std::wstring& description,
                          const std::wstring& arguments, const std::wstring& icon) {
  thread.PassGate();
  return CreateShortcut(link, target, description, arguments, icon) ? link : L"";
}

}  // namespace

void WriteRegOnBootName(TInstallThread& thread) {
  win::RegKey key;
  thread.PassGate();
  if (!key.Create(HKEY_CURRENT_USER, App.Paths.RunKey, KEY_WRITE)) return;
  thread.ShowStatus(App.GetText(L"InstallWizard", L"WriteRegOnBootName"));
  const std::wstring name = thread.Setting(L"%PROGRAM_ONBOOT");
  if (name.empty()) return;
  key.WriteString(name, StartupValueData(App.Paths.ProgramExePath));
  auto& record = thread.RecordList();
  record.push_back(L"[" + RecordSectionName(L"HKEY_CURRENT_USER", App.Paths.RunKey) + L"]");
  record.push_back(name + L"=" + App.Paths.ProgramExePath);
}

void CreateLinks(TInstallThread& thread, const std::wstring& publisherFolder,
                 const std::wstring& programsFolder) {
  thread.ShowStatus(App.GetText(L"InstallWizard", L"CreateLinks"));
  // One apartment for all the links; otherwise each link sets COM up and tears it down again.
  const win::ScopedComInitializer com;
  std::wstring menu = GetSpecialFolder(CSIDL_COMMON_PROGRAMS);
  if (!publisherFolder.empty()) {
    menu += L"\\" + publisherFolder;
    ::CreateDirectoryW(menu.c_str(), nullptr);
  }
  if (!programsFolder.empty()) {
    menu += L"\\" + programsFolder;
    ::CreateDirectoryW(menu.c_str(), nullptr);
  }
  auto& paths = App.Paths;
  const std::wstring& exe = paths.ProgramExePath;
  const std::wstring& program = paths.ProgramDir;

  paths.LinkProgramsExec = MadeShortcut(
      thread, menu + L"\\" + App.GetText(L"UNINSTALL", L"LINK_PROGRAMS_EXEC") + L".lnk", exe,
      App.Info.ProductName, L"", exe);
  const std::wstring uninstallText = App.GetText(L"UNINSTALL", L"LINK_PROGRAMS_UNIST");
  paths.LinkProgramUnist =
      MadeShortcut(thread, menu + L"\\" + uninstallText + L".lnk", paths.UninstallerPath,
                   uninstallText, L"uninstall", program + L"\\" + thread.Setting(L"%UNINST_ICO"));
  if (thread.Setting(L"%MANULA_EXIST") == L"1") {
    const std::wstring manualText = App.GetText(L"UNINSTALL", L"LINK_PROGRAMS_MANUAL");
    paths.LinkProgramsManual =
        MadeShortcut(thread, menu + L"\\" + manualText + L".lnk",
                     program + L"\\" + thread.Setting(L"%MANUAL_DIR") + App.Info.Language + L".pdf",
                     manualText, L"", program + L"\\" + thread.Setting(L"%MANUAL_ICO"));
  }
  paths.LinkDesktopExec = MadeShortcut(thread,
                                       GetSpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\" +
                                           App.GetText(L"UNINSTALL", L"LINK_DESKTOP") + L".lnk",
                                       exe, App.Info.ProductName, L"", exe);
}
