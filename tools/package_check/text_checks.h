// The text workbook: where Setup.exe finds it, whether it reads, its sheet, columns and rows, the
// texts the program asks for in every language column, and section aliases that loop.
#pragma once

#include <string>
#include <vector>

#include "tools/package_check/findings.h"
#include "tools/package_check/package_folder.h"
#include "tools/package_check/settings_checks.h"

namespace package_check {

// Returns the languages the workbook ships: its column headers that name one of the program's
// languages ("English" first when present). Empty when there is no readable workbook.
std::vector<std::wstring> CheckTexts(const PackageFolder& package, const PackageSettings& settings,
                                     Findings& findings);

}  // namespace package_check
