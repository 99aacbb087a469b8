// The paths of a run: set at start-up and by the preparation window, handed to the workers.
#pragma once

#include <string>

// The registry keys below which Windows keeps the programs started at log-on and the entries of
// its list of programs.
inline constexpr wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kUninstallKeyPath[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

struct STRUCT_AppPath {
  std::wstring SetupIniPath;
  std::wstring ProgramFilesDir;
  std::wstring InstallRootDir;
  std::wstring ProgramDir;
  std::wstring OldProgramDir;
  std::wstring ProgramExePath;
  std::wstring UninstallerPath;
  std::wstring UpdaterDir;
  std::wstring LinkProgramsExec;
  std::wstring LinkProgramUnist;
  std::wstring LinkProgramsManual;
  std::wstring LinkDesktopExec;
  std::wstring MacroBackupDir;
  std::wstring RunKey;
  std::wstring PrivateKeyTemplate;
  std::wstring UninstallKey;
};
