// The removal of an installation from its record, step by step: run by the uninstallation worker,
// and by a package that replaces an installation whose own uninstaller is gone. The uninstall
// entry and the private record go last, and only once the product folder holds nothing of the
// installation, so that an interrupted or failed removal can always be started again.
#pragma once

#include <string>

#include "record/uninst_struct_info.h"
#include "util/progress_sink.h"

// Runs the removals with a fixed status text and bar position after each, passing `passGate`
// before each step and at every file. Returns whether the installation is gone: false when files
// of the product folder could not be removed, in which case the uninstall entry and the private
// record stay.
bool RemoveInstallation(const UNINSTStruct_INFO& record, const std::wstring& programsFolder,
                        StatusSink& status, ProgressSink& progress, const PauseGate& passGate);
