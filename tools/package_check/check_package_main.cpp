// check_package: reports every defect of a package folder that would make Setup.exe fail or show
// "@@", one line each ("file: where: problem"), after the warnings ("warning: file: where:
// problem"): what Setup.exe copes with in a way that may not be meant. Exit code 0 when there is
// no defect, 1 when there are, 2 on wrong use.
//   check_package [--release] [--trusted-certificates PEM] PACKAGE_FOLDER
// A Setup.exe whose Authenticode signature is missing or does not verify is a warning, which
// leaves the exit code alone; with --release, which checks a package about to ship, it is a
// defect. --trusted-certificates names certificates to trust instead of the system's.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/strings/utf_string_conversions.h"
#include "tools/package_check/package_check.h"
#include "tools/package_check/signature_check.h"

namespace {

struct Options {
  bool release = false;
  std::filesystem::path trustedCertificates;
  std::filesystem::path package;
};

std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--release") {
      options.release = true;
    } else if (argument == "--trusted-certificates" && i + 1 < argc) {
      options.trustedCertificates = argv[++i];
    } else if (options.package.empty() && !argument.starts_with("--")) {
      options.package = argument;
    } else {
      return std::nullopt;
    }
  }
  if (options.package.empty() || !std::filesystem::is_directory(options.package)) {
    return std::nullopt;
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  static constexpr char kUsage[] =
      "usage: check_package [--release] [--trusted-certificates PEM] PACKAGE_FOLDER\n";
  if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  const std::optional<Options> options = ParseOptions(argc, argv);
  if (!options) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  package_check::Findings findings = package_check::CheckPackage(options->package);
  const std::filesystem::path setup = options->package / "Setup.exe";
  if (std::filesystem::is_regular_file(setup)) {
    if (const auto problem = package_check::SignatureProblem(setup, options->trustedCertificates)) {
      if (options->release) {
        findings.Add(L"Setup.exe", L"signature", *problem);
      } else {
        findings.Warn(L"Setup.exe", L"signature", *problem);
      }
    }
  }
  for (const package_check::Finding& warning : findings.Warnings()) {
    std::printf("%s\n", strings::WideToUtf8(package_check::WarningText(warning)).c_str());
  }
  for (const package_check::Finding& defect : findings.Defects()) {
    std::printf("%s\n", strings::WideToUtf8(package_check::FindingText(defect)).c_str());
  }
  const std::string warnings = findings.Warnings().empty()
                                   ? std::string()
                                   : " (" +
                                         strings::WideToUtf8(package_check::CountText(
                                             findings.Warnings().size(), L"warning")) +
                                         ")";
  if (!findings.HasDefects()) {
    std::printf("%s: no defects found%s\n", options->package.c_str(), warnings.c_str());
    return 0;
  }
  std::printf(
      "%s%s\n",
      strings::WideToUtf8(package_check::CountText(findings.Defects().size(), L"defect")).c_str(),
      warnings.c_str());
  return 1;
}
