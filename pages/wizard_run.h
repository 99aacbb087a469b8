// What the pages work on: the mode of the run and the record of the installation it found,
// handed over by the preparation window before it opens the first page.
#pragma once

#include <string>

#include "record/uninst_struct_info.h"

namespace pages {

struct WizardRun {
  std::wstring Mode;  // "Install", "Upgrade", "Uninstall" or "UninstallAnyway"
  UNINSTStruct_INFO UninstInfo;
};

void HandOverRun(WizardRun run);
// The run handed over; an empty one (no mode, no record) before any was.
const WizardRun& CurrentRun();
bool RunHandedOver();

// Notes that the run's work was not all done (files left out, a step broken off), for the finish
// page; Setup.exe runs one job a run, so it is never taken back.
void NoteWorkIncomplete();
bool WorkIncomplete();

}  // namespace pages
