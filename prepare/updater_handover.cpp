#include "prepare/updater_handover.h"

#include <windows.h>

#include "core/strings/string_util.h"
#include "prepare/prepare_form.h"
#include "util/file_bytes.h"
#include "util/ini_file_io.h"
#include "util/shell_start.h"

namespace {

// Upgrade.ini lies in a folder every user may write to, and the setup program runs elevated:
// the name must stay a plain file name inside the updater folder.
bool IsPlainFileName(const std::wstring& name) {
  return !name.empty() && name.find_first_of(L"\\/:") == std::wstring::npos && name != L"." &&
         name != L"..";
}

}  // namespace

std::wstring StartUpdater(const std::wstring& updaterFolder, const std::wstring& argument) {
  if (updaterFolder.empty()) return {};
  const std::wstring folder = strings::WithTrailingSeparator(updaterFolder);
  const auto upgradeIni = ReadIniFile(folder + L"Upgrade.ini");
  if (!upgradeIni) return {};
  const std::wstring name = upgradeIni->ReadString(L"Upgrade_Info", L"UpdaterName", L"");
  if (!IsPlainFileName(name)) return {};
  const std::wstring executable = folder + name + L".exe";
  // A missing program is passed over quietly: the shell would report it in a box of its own.
  if (!FileExists(executable)) return {};
  // The updater lies in a folder every user may write to: it runs as the user, never with this
  // program's rights.
  if (!StartAsUser(executable, argument, strings::WithoutTrailingSeparator(folder), SW_HIDE))
    return {};
  return executable;
}

void TFPrepare::HandOverToUpdater() {
  QueryPrivateFolder(L"updater");
  const std::wstring executable = StartUpdater(UpdaterPath, L"InstallExeRecall");
  if (!executable.empty()) UpdaterPath = executable;
  Close();
}
