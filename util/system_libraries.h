// Libraries come from the system folder only. Setup.exe lies in a download folder or on a share,
// where anyone may have put a DLL named like a system one beside it; the program runs elevated.
#pragma once

#include <windows.h>

// Takes the program's folder and the current folder out of the library search for the rest of
// the run. The first call of the entry point.
void SearchLibrariesInSystemFolderOnly();

// Loads the system library `name` from the system folder, never from beside the program; null
// when it cannot be loaded. It stays loaded for the rest of the run.
HMODULE LoadSystemLibrary(const wchar_t* name);
