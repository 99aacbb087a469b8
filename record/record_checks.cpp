#include "record/record_checks.h"

#include <shlobj.h>

#include <string_view>

#include "core/folders/name_rules.h"
#include "core/strings/string_util.h"
#include "util/removal_guards.h"
#include "util/setup_log.h"
#include "util/special_folders.h"

namespace {

bool EndsWithIgnoreCase(std::wstring_view text, std::wstring_view end) {
  return text.size() >= end.size() &&
         strings::EqualsIgnoreCase(text.substr(text.size() - end.size()), end);
}

bool IsPlainAbsolutePath(const std::wstring& path) {
  return !NormalisedAbsolutePath(path).empty();
}

// A shortcut the installation made: a ".lnk" file strictly inside the special folder `csidl`.
bool IsShortcutInside(const std::wstring& link, int csidl) {
  const std::wstring path = NormalisedAbsolutePath(link);
  const std::wstring folder = NormalisedAbsolutePath(GetSpecialFolder(csidl));
  return !path.empty() && !folder.empty() && EndsWithIgnoreCase(path, L".lnk") &&
         path.size() > folder.size() + 1 && path[folder.size()] == L'\\' &&
         strings::EqualsIgnoreCase(std::wstring_view(path).substr(0, folder.size()), folder);
}

void DropUnless(bool sound, std::wstring& field, const wchar_t* name) {
  if (sound || field.empty()) return;
  LogLine(std::wstring(L"guard: the record's ") + name + L" is passed over: " + field);
  field.clear();
}

}  // namespace

void DropUnsoundRecordNames(UNINSTStruct_INFO& record) {
  DropUnless(folders::CheckPlainName(record.Product) == folders::NameProblem::kNone, record.Product,
             L"Product");
  DropUnless(IsPlainAbsolutePath(record.InstallDir), record.InstallDir, L"InstallDir");
  // The uninstaller copy lies in a folder named after the product, which an upgrade empties and
  // fills again: a record naming another folder would have it empty that one.
  DropUnless(
      IsPlainAbsolutePath(record.UninstOnAppDataDir) &&
          EndsWithIgnoreCase(record.UninstOnAppDataDir,
                             record.Product.empty() ? std::wstring(L"\\Setup.exe")
                                                    : L"\\" + record.Product + L"\\Setup.exe"),
      record.UninstOnAppDataDir, L"UninstOnAppDataDir");
  // The updater folder is made inside the product folder; one recorded elsewhere would have the
  // updater mode start whatever program lies there.
  DropUnless(IsAtOrBelow(record.OnlineUpdaterDir, record.InstallDir), record.OnlineUpdaterDir,
             L"OnlineUpdaterDir");
  DropUnless(IsShortcutInside(record.LINK_ProgramsExec, CSIDL_COMMON_PROGRAMS),
             record.LINK_ProgramsExec, L"LINK_ProgramsExec");
  DropUnless(IsShortcutInside(record.LINK_ProgramUnist, CSIDL_COMMON_PROGRAMS),
             record.LINK_ProgramUnist, L"LINK_ProgramUnist");
  DropUnless(IsShortcutInside(record.LINK_ProgramsManual, CSIDL_COMMON_PROGRAMS),
             record.LINK_ProgramsManual, L"LINK_ProgramsManual");
  DropUnless(IsShortcutInside(record.LINK_DesktopExec, CSIDL_COMMON_DESKTOPDIRECTORY),
             record.LINK_DesktopExec, L"LINK_DesktopExec");
}
