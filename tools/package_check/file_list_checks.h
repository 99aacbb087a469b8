// The program folder's "Application_FileList.txt" against the files beside it: the upgrade of an
// installed copy copies and deletes by this list, so a stale list leaves files out of date.
#pragma once

#include "tools/package_check/findings.h"
#include "tools/package_check/package_folder.h"
#include "tools/package_check/settings_checks.h"

namespace package_check {

void CheckFileList(const PackageFolder& package, const PackageSettings& settings,
                   Findings& findings);

}  // namespace package_check
