// Files that each shipped language needs beside Setup.exe and in the payload: its pictures, its
// licence text (unless the package is unbranded) and its manual (when the package has one).
#pragma once

#include <string>
#include <vector>

#include "tools/package_check/findings.h"
#include "tools/package_check/package_folder.h"
#include "tools/package_check/settings_checks.h"

namespace package_check {

void CheckLanguageFiles(const PackageFolder& package, const PackageSettings& settings,
                        const std::vector<std::wstring>& languages, Findings& findings);

}  // namespace package_check
