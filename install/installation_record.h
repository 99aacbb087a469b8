// The record an installation leaves: the uninstall entry, the product's private key and the
// record file Regedit_FileList.ini that lists every value written.
#pragma once

#include <string>
#include <vector>

#include "core/ini/ini_file.h"

struct InstallContext;

// Writes the uninstall entry and fixes the uninstaller's path, emptying its install-backup folder.
void WriteRegOnUninstallFolder(InstallContext& context);
// The uninstall entry's command, once the uninstaller copy exists.
void WriteUninstallCommand(InstallContext& context);
void WriteRegOnPrivateFolder(InstallContext& context);
void WriteRecordFile(InstallContext& context);

// The sections of a record list: trimmed lines, blank and ";" lines skipped, "[name]" starts a
// section, any other line is "name=data" of the current one; lines before the first section are
// dropped.
std::vector<ini::IniSection> ParseRecordList(const std::vector<std::wstring>& lines);
