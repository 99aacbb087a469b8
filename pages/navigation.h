// Moving between pages: the current page hides, the next one shows.
#pragma once

#include "winfx/form.h"

namespace pages {

void GoToPage(winfx::TForm& from, winfx::TForm& to);

// Ends the program by closing the main window (the preparation window); the only way the pages
// end a run.
void CloseMainWindow();

// Whether the licence page belongs in the walk: read afresh from Setup.ini each time. An absent
// %PUBLISHER counts as "OEM" (no licence page); without Setup.ini the licence page is shown.
bool LicencePageIsShown();

}  // namespace pages
