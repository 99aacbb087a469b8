// The keys of section [Setup] that Setup.exe reads (every other key is ignored), in the order of
// the package reference (docs/package.md).
#pragma once

#include <string_view>

namespace package_check {

inline constexpr std::wstring_view kKnownSetupKeys[] = {
    L"%PROGRAM_FILES",       L"%PROGRAM_DATA",   L"%PROGRAM_FILES_OLD",   L"%PROGRAM_EXEC",
    L"%PROGRAM_VERSION",     L"%PROGRAM_ONBOOT", L"%PROGRAM_FORMCAPTION", L"%PUBLISHER",
    L"%REG_FODLER_PROGNAME", L"%UPDATER_DIR",    L"%INSTALL_BACKUP_DIR",  L"%UNINST_ICO",
    L"%MANULA_EXIST",        L"%MANUAL_DIR",     L"%MANUAL_ICO",          L"%Exe_AfterInstall",
};

}  // namespace package_check
