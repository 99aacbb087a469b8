// The lists of files that a release puts at its root (SHA256SUMS and its like). They name the
// package's files, payload included, so a copy of the package without its payload (the
// uninstaller copy) must not hold them: their lines would name files that are not there.
#pragma once

#include <string_view>

namespace folders {

// Whether `name` (a plain file name) is such a list or its signature: SHA256SUMS, SHA512SUMS,
// SHA1SUMS, MD5SUMS, B2SUMS, CHECKSUMS, each also with an extension ("SHA256SUMS.asc"), and any
// name ending in ".sha256", ".sha512" or ".md5"; letter case is ignored.
bool IsReleaseFileList(std::wstring_view name);

}  // namespace folders
