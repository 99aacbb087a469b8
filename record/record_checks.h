// The installation record read back from the registry is input like a package's settings: it may
// come from an older release, a cleaning tool or a hand. Each name is held to the rule of what
// the installation writes there; a name that breaks it is dropped, with a line in the log, so
// that the step it feeds does nothing.
#pragma once

#include "record/uninst_struct_info.h"

// `Product` a plain name; `InstallDir` and `UninstOnAppDataDir` plain absolute paths, the
// uninstaller copy "Setup.exe" in a folder named `Product`; `OnlineUpdaterDir` the product folder
// `InstallDir` or a folder below it; the shortcuts ".lnk" files inside the common Start-menu
// programs folder (the desktop shortcut inside the common desktop).
void DropUnsoundRecordNames(UNINSTStruct_INFO& record);
