// What the pages work on: the mode of the run and the record of the installation it found,
// handed over by the preparation window before it opens the first page.
#pragma once

#include <optional>
#include <string>

#include "core/prepare/run_mode.h"
#include "install/install_thread.h"
#include "record/uninst_struct_info.h"

namespace pages {

struct WizardRun {
  // Install, upgrade, uninstall or uninstall without asking; none before a run is handed over.
  std::optional<prepare::RunMode> Mode;
  UNINSTStruct_INFO UninstInfo;
};

void HandOverRun(WizardRun run);
// What the installation worker started now is handed: the settings the start checked, the paths
// the preparation window left, and the run's facts.
[[nodiscard]] InstallInput CurrentInstallInput();
// The run handed over; an empty one (no mode, no record) before any was.
const WizardRun& CurrentRun();
bool RunHandedOver();

// Notes that the run's work was not all done (files left out, a step broken off), for the finish
// page; Setup.exe runs one job a run, so it is never taken back.
void NoteWorkIncomplete();
bool WorkIncomplete();

}  // namespace pages
