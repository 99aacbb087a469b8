#include "install/startup_and_shortcuts.h"

#include <shlobj.h>
#include <windows.h>

#include "app/app.h"
#include "install/install_context.h"
#include "record/record_values.h"
#include "util/com_init.h"
#include "util/reg_key.h"
#include "util/setup_log.h"
#include "util/shortcuts.h"
#include "util/special_folders.h"

namespace {

// The link's path when the link object was made, "" otherwise.
std::wstring MadeShortcut(const InstallContext& context, const std::wstring& link,
                          const std::wstring& target, const std::wstring& description,
                          const std::wstring& arguments, const std::wstring& icon) {
  context.PassGate();
  return CreateShortcut(link, target, description, arguments, icon) ? link : L"";
}

}  // namespace

void WriteRegOnBootName(InstallContext& context) {
  const RecordKey startup = StartupEntryKey(context.settings, context.paths);
  win::RegKey key;
  context.PassGate();
  if (!key.Create(HKEY_CURRENT_USER, startup.keyPath, KEY_WRITE)) {
    LogLine(L"no start-up value: the key cannot be created: " + startup.sectionName);
    return;
  }
  context.ShowStatus(App.GetText(L"InstallWizard", L"WriteRegOnBootName"));
  if (startup.values.empty()) return;
  const ini::IniEntry& value = startup.values.front();
  // The registry starts the program minimised; the record lists its plain path.
  if (!WriteRecordValue(key, startup.sectionName, value.key,
                        StartupValueData(context.paths.ProgramExePath))) {
    return;
  }
  auto& record = context.recordList;
  record.push_back(L"[" + startup.sectionName + L"]");
  record.push_back(value.key + L"=" + value.value);
}

void CreateLinks(InstallContext& context, const std::wstring& publisherFolder,
                 const std::wstring& programsFolder) {
  context.ShowStatus(App.GetText(L"InstallWizard", L"CreateLinks"));
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
  auto& paths = context.paths;
  const std::wstring& exe = paths.ProgramExePath;
  const std::wstring& program = paths.ProgramDir;

  paths.LinkProgramsExec = MadeShortcut(
      context, menu + L"\\" + App.GetText(L"UNINSTALL", L"LINK_PROGRAMS_EXEC") + L".lnk", exe,
      App.Info.ProductName, L"", exe);
  const std::wstring uninstallText = App.GetText(L"UNINSTALL", L"LINK_PROGRAMS_UNIST");
  paths.LinkProgramUnist =
      MadeShortcut(context, menu + L"\\" + uninstallText + L".lnk", paths.UninstallerPath,
                   uninstallText, L"uninstall", program + L"\\" + context.Setting(L"%UNINST_ICO"));
  if (context.Setting(L"%MANULA_EXIST") == L"1") {
    const std::wstring manualText = App.GetText(L"UNINSTALL", L"LINK_PROGRAMS_MANUAL");
    paths.LinkProgramsManual = MadeShortcut(
        context, menu + L"\\" + manualText + L".lnk",
        program + L"\\" + context.Setting(L"%MANUAL_DIR") + App.Info.Language + L".pdf", manualText,
        L"", program + L"\\" + context.Setting(L"%MANUAL_ICO"));
  }
  paths.LinkDesktopExec = MadeShortcut(context,
                                       GetSpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\" +
                                           App.GetText(L"UNINSTALL", L"LINK_DESKTOP") + L".lnk",
                                       exe, App.Info.ProductName, L"", exe);
}
