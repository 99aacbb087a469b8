// The removals of an uninstallation, one for each part of the installation record. Each works
// from the record alone and passes over what is missing or cannot be removed; a field that is
// empty, or names more than the installation made, makes its step do nothing.
#pragma once

#include <string>

#include "record/uninst_struct_info.h"

// The start-up value named `ExecOnBoot` under the user's Run key.
void RemoveBootValue(const UNINSTStruct_INFO& record);

// The uninstall entry named `UninstRegFolder` below the Uninstall key.
void RemoveUninstallEntry(const UNINSTStruct_INFO& record);

// The four shortcuts, the program's Start-menu folder, and the publisher's Start-menu folder
// when nothing but the program's own folder (named `programsFolder`) was left in it.
void RemoveLinks(const UNINSTStruct_INFO& record, const std::wstring& programsFolder);

// The private key `KeyPath` with its subkeys, and the publisher key above it when it has no
// subkeys left. The key goes only while it holds the record (its `UninstRegFolder` is the
// record's); false, with a line in the log, when it is left.
bool RemovePrivateFolder(const UNINSTStruct_INFO& record);
