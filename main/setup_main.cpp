// The entry point of Setup.exe. The command line is read later, by the preparation window.
#include <windows.h>

#include "main/run_setup.h"
#include "util/system_libraries.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  SearchLibrariesInSystemFolderOnly();
  return RunSetup(&IsProcessAdministrator);
}
