// The payload under "program files": the folders the settings name, the program, its launcher,
// the icons the shortcuts use, and the updater with its settings and record file.
#pragma once

#include "tools/package_check/findings.h"
#include "tools/package_check/package_folder.h"
#include "tools/package_check/settings_checks.h"

namespace package_check {

void CheckPayload(const PackageFolder& package, const PackageSettings& settings,
                  Findings& findings);

}  // namespace package_check
