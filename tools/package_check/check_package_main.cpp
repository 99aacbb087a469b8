// check_package: reports every defect of a package folder that would make Setup.exe fail or show
// "@@", one line each ("file: where: problem"). Exit code 0 when there is none, 1 when there
// are, 2 on wrong use.
//   check_package [--release] [--trusted-certificates PEM] PACKAGE_FOLDER
// A Setup.exe whose Authenticode signature is missing or does not verify is a warning, which
// leaves the exit code alone; with --release, which checks a package about to ship, it is a
// defect. --trusted-certificates names certificates to trust instead of the system's.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

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
  const std::optional<Options> options = ParseOptions(argc, argv);
  if (!options) {
    std::fprintf(stderr,
                 "usage: check_package [--release] [--trusted-certificates PEM] PACKAGE_FOLDER\n");
    return 2;
  }
  package_check::Findings findings = package_check::CheckPackage(options->package);
  const std::filesystem::path setup = options->package / "Setup.exe";
  if (std::filesystem::is_regular_file(setup)) {
    if (const auto problem = package_check::SignatureProblem(setup, options->trustedCertificates)) {
      if (options->release) {
        findings.Add(L"Setup.exe", L"signature", *problem);
      } else {
        std::printf("warning: Setup.exe: signature: %s\n", strings::WideToUtf8(*problem).c_str());
      }
    }
  }
  for (const package_check::Finding& warning : findings.Warnings()) {
    std::printf("warning: %s\n", strings::WideToUtf8(package_check::FindingText(warning)).c_str());
  }
  for (const package_check::Finding& finding : findings.All()) {
    std::printf("%s\n", strings::WideToUtf8(package_check::FindingText(finding)).c_str());
  }
  if (findings.Empty()) {
    std::printf("%s: no defects found\n", options->package.c_str());
    return 0;
  }
  std::printf("%zu defects\n", findings.All().size());
  return 1;
}
