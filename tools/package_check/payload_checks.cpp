#include "tools/package_check/payload_checks.h"

#include "core/ini/ini_file.h"
#include "tools/package_check/picture_checks.h"

namespace package_check {
namespace {

constexpr std::wstring_view kPayload = L"program files\\";

bool CheckFolder(const PackageFolder& package, const PackageSettings& settings,
                 std::wstring_view key, Findings& findings) {
  const std::wstring name = settings.Value(key);
  if (name.empty()) return false;
  const std::wstring folder = std::wstring(kPayload) + name;
  if (package.HasFolder(folder)) return true;
  findings.Add(folder + L"\\", L"",
               L"missing: the folder named by " + std::wstring(key) + L" in Setup.ini");
  return false;
}

void CheckProgramFolder(const PackageFolder& package, const PackageSettings& settings,
                        Findings& findings) {
  const std::wstring folder = std::wstring(kPayload) + settings.Value(L"%PROGRAM_FILES") + L"\\";
  const std::wstring exec = settings.Value(L"%PROGRAM_EXEC");
  if (!exec.empty() && !package.HasFile(folder + exec)) {
    findings.Add(folder + exec, L"", L"missing: the program named by %PROGRAM_EXEC");
  }
  if (!package.HasFile(folder + L"DeskRelay.exe")) {
    findings.Add(folder + L"DeskRelay.exe", L"",
                 L"missing: the finish page starts the program through it");
  }
  const auto checkIcon = [&](std::wstring_view key) {
    const std::wstring icon = settings.Value(key);
    if (icon.empty()) return;
    if (!package.HasFile(folder + icon)) {
      findings.Add(folder + icon, L"", L"missing: the shortcut icon named by " + std::wstring(key));
    } else {
      CheckIconFile(package, folder + icon, L"the shortcut named by " + std::wstring(key),
                    findings);
    }
  };
  checkIcon(L"%UNINST_ICO");
  if (settings.Value(L"%MANULA_EXIST") == L"1") checkIcon(L"%MANUAL_ICO");
}

void CheckUpdaterFolder(const PackageFolder& package, const PackageSettings& settings,
                        Findings& findings) {
  const std::wstring folder = std::wstring(kPayload) + settings.Value(L"%UPDATER_DIR") + L"\\";
  const std::wstring upgradeIni = folder + L"Upgrade.ini";
  const auto bytes = package.ReadFile(upgradeIni);
  if (!bytes) {
    findings.Add(upgradeIni, L"", L"missing: Setup.exe cannot start the updater");
  } else {
    const std::wstring updater =
        ini::IniFile::FromBytes(*bytes).ReadString(L"Upgrade_Info", L"UpdaterName", L"");
    if (updater.empty()) {
      findings.Add(upgradeIni, L"key UpdaterName", L"missing or empty in [Upgrade_Info]");
    } else if (!package.HasFile(folder + updater + L".exe")) {
      findings.Add(folder + updater + L".exe", L"",
                   L"missing: the updater named by Upgrade.ini (UpdaterName)");
    }
  }
  if (!package.HasFile(folder + L"Regedit_FileList.ini")) {
    findings.Add(folder + L"Regedit_FileList.ini", L"",
                 L"missing: the installation's registry record is not kept");
  }
}

}  // namespace

void CheckPayload(const PackageFolder& package, const PackageSettings& settings,
                  Findings& findings) {
  if (!package.HasFolder(kPayload)) {
    findings.Add(std::wstring(kPayload), L"", L"missing: the package has no payload");
    return;
  }
  if (CheckFolder(package, settings, L"%PROGRAM_FILES", findings)) {
    CheckProgramFolder(package, settings, findings);
  }
  CheckFolder(package, settings, L"%PROGRAM_FILES_OLD", findings);
  if (CheckFolder(package, settings, L"%UPDATER_DIR", findings)) {
    CheckUpdaterFolder(package, settings, findings);
  }
}

}  // namespace package_check
