#include "tools/package_check/package_check.h"

#include "tools/package_check/file_list_checks.h"
#include "tools/package_check/language_file_checks.h"
#include "tools/package_check/package_folder.h"
#include "tools/package_check/payload_checks.h"
#include "tools/package_check/settings_checks.h"
#include "tools/package_check/text_checks.h"

namespace package_check {

Findings CheckPackage(const std::filesystem::path& packageFolder) {
  Findings findings;
  const PackageFolder package(packageFolder);
  if (!package.HasFile(L"Setup.exe")) {
    findings.Add(L"Setup.exe", L"", L"missing: the package has no setup program");
  }
  const PackageSettings settings = ReadPackageSettings(package);
  CheckSettings(settings, findings);
  const std::vector<std::wstring> languages = CheckTexts(package, settings, findings);
  CheckLanguageFiles(package, settings, languages, findings);
  CheckPayload(package, settings, findings);
  CheckFileList(package, settings, findings);
  return findings;
}

}  // namespace package_check
