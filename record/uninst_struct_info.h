// The record of an existing installation, as its private registry folder holds it: what the
// uninstallation removes and what the upgrade and the repair find the installation by.
#pragma once

#include <string>

struct UNINSTStruct_INFO {
  std::wstring Product;
  std::wstring FormCaption;
  std::wstring InstallDir;
  std::wstring ExecOnBoot;
  std::wstring UninstRegFolder;
  std::wstring UninstOnAppDataDir;
  std::wstring LINK_ProgramsExec;
  std::wstring LINK_ProgramUnist;
  std::wstring LINK_ProgramsManual;
  std::wstring LINK_DesktopExec;
  std::wstring OnlineUpdaterDir;
  std::wstring KeyPath;
};
