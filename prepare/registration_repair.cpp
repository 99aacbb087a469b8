// The registry mode: the registration of an installation brought in line with the settings of a
// newer package lying beside the program (Setup.ini), given the settings of the package that
// made the installation (Setup_old.ini, when the updater leaves one); then the updater is told.
#include <windows.h>

#include <memory>

#include "app/app.h"
#include "core/strings/string_util.h"
#include "prepare/installation_move.h"
#include "prepare/prepare_form.h"
#include "prepare/updater_handover.h"
#include "record/record_values.h"
#include "record/registration_rewrite.h"
#include "util/file_bytes.h"
#include "util/ini_file_io.h"

namespace {

std::wstring FolderOf(const std::wstring& path) {
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

// The private folder the installation was recorded in: the one the old settings name, since a
// new publisher or product name points the new settings at a folder not yet written.
std::wstring RecordKeyPath(const ini::IniFile* oldSettings, const std::wstring& newPath) {
  if (oldSettings == nullptr) return newPath;
  const std::wstring oldPath =
      PrivateFolderKeyPath([oldSettings](const std::wstring& key, const std::wstring& fallback) {
        return oldSettings->ReadString(L"Setup", key, fallback);
      });
  return oldPath.empty() ? newPath : oldPath;
}

}  // namespace

void TFPrepare::RepairRegistration() {
  const std::wstring oldSettingsPath = FolderOf(App.Paths.SetupIniPath) + L"Setup_old.ini";
  const bool hasOldSettings = FileExists(oldSettingsPath);
  const std::unique_ptr<ini::IniFile> oldSettings =
      hasOldSettings ? ReadIniFile(oldSettingsPath) : nullptr;
  std::unique_ptr<ini::IniFile> RepairIni = ReadIniFile(App.Paths.SetupIniPath);

  if (hasOldSettings) QueryPrivateFolder(L"updater_move_installdir");
  // Without old settings the paths still come from the new ones, so the rewrite has a product.
  ComputeInstallPaths(L"updater_move_installdir");
  LoadInstallationRecordFrom(RecordKeyPath(oldSettings.get(), PrivateFolderPath()));

  if (RepairIni) {
    if (hasOldSettings) {
      const std::wstring oldFolder = OldInstallDir.empty() ? UninstInfo.InstallDir : OldInstallDir;
      MoveInstallation(oldFolder, NewProductFolder, UninstInfo.InstallDir);
    }
    TRegistrationRewrite(*RepairIni, oldSettings.get(), UninstInfo).RewriteRegistration();
    StartUpdater(strings::WithTrailingSeparator(NewProductFolder) +
                     RepairIni->ReadString(L"Setup", L"%UPDATER_DIR", L""),
                 L"UpdaterFinish");
  }
  RepairIni.reset();
  ::DeleteFileW(oldSettingsPath.c_str());
  Close();
}
