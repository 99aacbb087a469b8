// check_package: reports every defect of a package folder that would make Setup.exe fail or show
// "@@", one line each ("file: where: problem"). Exit code 0 when there is none, 1 when there
// are, 2 on wrong use.
//   check_package PACKAGE_FOLDER
#include <cstdio>
#include <filesystem>

#include "core/strings/utf_string_conversions.h"
#include "tools/package_check/package_check.h"

int main(int argc, char** argv) {
  if (argc != 2 || !std::filesystem::is_directory(argv[1])) {
    std::fprintf(stderr, "usage: check_package PACKAGE_FOLDER\n");
    return 2;
  }
  const package_check::Findings findings = package_check::CheckPackage(argv[1]);
  for (const package_check::Finding& finding : findings.All()) {
    std::printf("%s\n", strings::WideToUtf8(package_check::FindingText(finding)).c_str());
  }
  if (findings.Empty()) {
    std::printf("%s: no defects found\n", argv[1]);
    return 0;
  }
  std::printf("%zu defects\n", findings.All().size());
  return 1;
}
