// Whether the package's Setup.exe carries an Authenticode signature that verifies. An unsigned
// setup program makes Windows show "Unknown publisher" when it asks for elevation.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace package_check {

// What is wrong with the signature of the program, or nothing when it verifies. The signer's
// chain is checked against the system's certificate authorities, or against trustedCertificates
// (a PEM file) when that is given. osslsigncode does the verification, as a child process.
std::optional<std::wstring> SignatureProblem(const std::filesystem::path& program,
                                             const std::filesystem::path& trustedCertificates);

}  // namespace package_check
