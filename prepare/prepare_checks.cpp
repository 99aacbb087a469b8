// The start checks: the private registry folder, the installed version, the install paths,
// the installation record, and installations left by the family's former installer.
#include <shlobj.h>
#include <windows.h>

#include <vector>

#include "app/app.h"
#include "core/prepare/legacy_products.h"
#include "pages/message_boxes.h"
#include "prepare/prepare_form.h"
#include "record/record_checks.h"
#include "util/file_bytes.h"
#include "util/reg_key.h"
#include "util/registry_helpers.h"
#include "util/setup_log.h"
#include "util/special_folders.h"
#include "winfx/application.h"

namespace {

constexpr int kCheckStep = 25;   // four install checks
constexpr int kRecordStep = 10;  // ten record values

std::wstring ReadValue(const std::wstring& keyPath, const std::wstring& name) {
  win::RegKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, keyPath, KEY_READ)) return {};
  return key.ReadString(name).value_or(L"");
}

bool SetupIniExists() {
  return FileExists(App.Paths.SetupIniPath);
}

}  // namespace

std::wstring TFPrepare::PrivateFolderPath() const {
  if (!SetupIniExists()) return {};
  return ExpandKeyTemplate(nullptr, L"Setup", App.Paths.PrivateKeyTemplate,
                           App.Setting(L"%PUBLISHER"), App.Setting(L"%REG_FODLER_PROGNAME"),
                           L"%REG_FODLER_PROGNAME", L"%PUBLISHER");
}

void TFPrepare::RunPrepareChecks() {
  TakeStep(kCheckStep);
  QueryPrivateFolder(L"");
  ReadInstalledVersion();
  ComputeInstallPaths(L"");
}

void TFPrepare::QueryPrivateFolder(const std::wstring& purpose) {
  PrivateFolderFound = false;
  const std::wstring path = PrivateFolderPath();
  if (path.empty()) {
    ShowRefusal(Refusal::kIncompleteSettings);
    Close();
  } else {
    win::RegKey key;
    const bool opened = key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ);
    if (purpose == L"updater" || purpose == L"updater_move_installdir") {
      // The record is input here as in every mode: the updater folder must lie in the product
      // folder, both plain absolute paths.
      UNINSTStruct_INFO record;
      if (opened) {
        record.InstallDir = key.ReadString(L"InstallDir").value_or(L"");
        record.OnlineUpdaterDir = key.ReadString(L"OnlineUpdaterDir").value_or(L"");
        DropUnsoundRecordNames(record);
      }
      if (purpose == L"updater") {
        UpdaterPath = record.OnlineUpdaterDir;
      } else {
        OldInstallDir = record.InstallDir;
      }
    } else {
      PrivateFolderFound = opened && !key.ReadString(L"UninstRegFolder").value_or(L"").empty();
    }
  }
  TakeStep(kCheckStep);
}

void TFPrepare::ReadInstalledVersion() {
  InstalledVersion.clear();
  InstalledVersionFound = false;
  if (SetupIniExists()) {
    const std::wstring entry = App.Paths.UninstallKey + App.Setting(L"%REG_FODLER_PROGNAME");
    InstalledVersion = ReadValue(entry, L"DisplayVersion");
    InstalledVersionFound = !InstalledVersion.empty();
  }
  TakeStep(kCheckStep);
}

void TFPrepare::ComputeInstallPaths(const std::wstring& purpose) {
  STRUCT_AppPath& paths = App.Paths;
  paths.ProgramFilesDir = GetSpecialFolder(CSIDL_PROGRAM_FILES);
  if (SetupIniExists()) {
    const std::wstring product = App.Setting(L"%PROGRAM_FILES");
    paths.InstallRootDir = paths.ProgramFilesDir + L"\\" + product;
    paths.ProgramDir = paths.InstallRootDir + L"\\" + product;
    paths.OldProgramDir = paths.InstallRootDir + L"\\" + App.Setting(L"%PROGRAM_FILES_OLD");
    paths.ProgramExePath = paths.ProgramDir + L"\\" + App.Setting(L"%PROGRAM_EXEC");
    if (purpose == L"updater_move_installdir") {
      NewProductFolder = paths.InstallRootDir;
      return;
    }
  }
  TakeStep(kCheckStep);
}

bool TFPrepare::LoadInstallationRecord() {
  const std::wstring path = PrivateFolderPath();
  if (!LoadInstallationRecordFrom(path)) return false;
  // A key of that name that holds no installation record is someone else's (a vendor's shared
  // key, another program's): the removal would delete it, so the product counts as not installed.
  if (UninstInfo.UninstRegFolder.empty()) {
    PrivateFolderFound = false;
    LogLine(L"guard: the key holds no installation record of this product; left alone: HKLM\\" +
            path);
    return false;
  }
  return true;
}

bool TFPrepare::LoadInstallationRecordFrom(const std::wstring& path) {
  PrivateFolderFound = false;
  win::RegKey key;
  if (path.empty() || !key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ)) return false;
  PrivateFolderFound = true;
  UninstInfo.KeyPath = path;
  struct Field {
    const wchar_t* name;
    std::wstring UNINSTStruct_INFO::*field;
  };
  static constexpr Field kFields[] = {
      {L"UninstRegFolder", &UNINSTStruct_INFO::UninstRegFolder},
      {L"UninstOnAppDataDir", &UNINSTStruct_INFO::UninstOnAppDataDir},
      {L"Product", &UNINSTStruct_INFO::Product},
      {L"FormCaption", &UNINSTStruct_INFO::FormCaption},
      {L"InstallDir", &UNINSTStruct_INFO::InstallDir},
      {L"ExecOnBoot", &UNINSTStruct_INFO::ExecOnBoot},
      {L"LINK_ProgramsExec", &UNINSTStruct_INFO::LINK_ProgramsExec},
      {L"LINK_ProgramUnist", &UNINSTStruct_INFO::LINK_ProgramUnist},
      {L"LINK_ProgramsManual", &UNINSTStruct_INFO::LINK_ProgramsManual},
      {L"LINK_DesktopExec", &UNINSTStruct_INFO::LINK_DesktopExec},
      {L"OnlineUpdaterDir", &UNINSTStruct_INFO::OnlineUpdaterDir},
  };
  for (const Field& field : kFields) {
    const std::wstring value = key.ReadString(field.name).value_or(L"");
    if (!value.empty()) UninstInfo.*field.field = value;
    // Ten steps of ten: the manual shortcut, which an installation may lack, takes none.
    if (std::wstring(field.name) != L"LINK_ProgramsManual") TakeStep(kRecordStep);
  }
  DropUnsoundRecordNames(UninstInfo);
  return true;
}

bool TFPrepare::FindLegacyInstallation() {
  std::vector<std::wstring> names;
  prepare::GetLegacyDisplayNames(App.Setting(L"%REG_FODLER_PROGNAME"), names);
  names.resize(3);
  win::RegKey uninstall;
  if (!uninstall.Open(HKEY_LOCAL_MACHINE, App.Paths.UninstallKey, KEY_READ)) return false;
  for (const std::wstring& subkey : uninstall.SubKeyNames()) {
    const std::wstring displayName = ReadValue(App.Paths.UninstallKey + subkey, L"DisplayName");
    if (displayName.empty()) continue;
    if (names[0].empty() || names[1].empty() || names[2].empty()) {
      winfx::ShowMessage(
          L"\u6B64\u8EDF\u9AD4\u672A\u8A2D\u5B9A\u641C\u5C0B\u6B77\u53F2\u5B89\u88DD\u8A9E\u7CFB"
          L"\u8B8A\u6578!!!\r\n"
          L"\u6703\u7E7C\u7E8C\u5B89\u88DD\uFF0C\u4F46\u4E0D\u4FDD\u8B49\u8EDF\u9AD4\u80FD\u6B63"
          L"\u5E38\u57F7\u884C!!!\r\n"
          L"\u5EFA\u8B70\u76F4\u63A5\u53D6\u6D88\u5B89\u88DD!!! (RD Msg)");
      return false;
    }
    if (subkey.rfind(L"InstallShield_", 0) == 0 &&
        (displayName == names[0] || displayName == names[1] || displayName == names[2])) {
      return true;
    }
  }
  return false;
}
