// The registry mode: the registration of an installation brought in line with the settings of a
// newer package lying beside the program (Setup.ini), given the settings of the package that
// made the installation (Setup_old.ini, when the updater leaves one); then the updater is told.
#include <windows.h>

#include <optional>

#include "app/app.h"
#include "app/run_lock.h"
#include "app/setup_settings.h"
#include "core/strings/string_util.h"
#include "prepare/installation_move.h"
#include "prepare/prepare_form.h"
#include "prepare/updater_handover.h"
#include "record/record_values.h"
#include "record/registration_rewrite.h"
#include "util/file_bytes.h"

namespace {

std::wstring FolderOf(const std::wstring& path) {
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

// The private folder the installation was recorded in: the one the old settings name, since a
// new publisher or product name points the new settings at a folder not yet written.
std::wstring RecordKeyPath(const std::optional<SetupSettings>& oldSettings,
                           const std::wstring& newPath) {
  if (!oldSettings) return newPath;
  const std::wstring oldPath = PrivateFolderKeyPath(*oldSettings, App.Paths);
  return oldPath.empty() ? newPath : oldPath;
}

}  // namespace

void TFPrepare::RepairRegistration() {
  const std::wstring oldSettingsPath = FolderOf(App.Paths.SetupIniPath) + L"Setup_old.ini";
  const bool hasOldSettings = FileExists(oldSettingsPath);
  const std::optional<SetupSettings> oldSettings =
      hasOldSettings ? SetupSettings::Read(oldSettingsPath) : std::nullopt;
  std::optional<SetupSettings> newSettings = SetupSettings::Read(App.Paths.SetupIniPath);

  if (hasOldSettings) QueryPrivateFolder(L"updater_move_installdir");
  // Without old settings the paths still come from the new ones, so the rewrite has a product.
  ComputeInstallPaths(L"updater_move_installdir");
  LoadInstallationRecordFrom(RecordKeyPath(oldSettings, PrivateFolderPath()));

  if (newSettings) {
    if (hasOldSettings) {
      const std::wstring oldFolder = OldInstallDir.empty() ? UninstInfo.InstallDir : OldInstallDir;
      MoveInstallation(oldFolder, NewProductFolder, UninstInfo.InstallDir);
    }
    const SetupSettings* old = oldSettings ? &*oldSettings : nullptr;
    TRegistrationRewrite(*newSettings, old, UninstInfo, App.Paths,
                         App.Facts(prepare::RunMode::kRegistry))
        .RewriteRegistration();
    // The updater may start a Setup.exe of the product at once: the work of this run is done.
    ReleaseRunLock();
    StartUpdater(
        strings::WithTrailingSeparator(NewProductFolder) + newSettings->Value(L"%UPDATER_DIR"),
        L"UpdaterFinish");
  }
  newSettings.reset();
  ::DeleteFileW(oldSettingsPath.c_str());
  Close();
}
