// Checks a package folder for everything that would make Setup.exe fail or show "@@" at run
// time, reading it with the same portable core as Setup.exe.
#pragma once

#include <filesystem>

#include "tools/package_check/findings.h"

namespace package_check {

Findings CheckPackage(const std::filesystem::path& packageFolder);

}  // namespace package_check
