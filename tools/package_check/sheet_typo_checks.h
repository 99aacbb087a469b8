// Typos in the text workbook that Setup.exe reads past without a word: column headers that name
// none of its languages, and escape codes it does not know.
#pragma once

#include <string>
#include <vector>

#include "core/xls/sheet.h"
#include "tools/package_check/findings.h"

namespace package_check {

// A warning for each column header other than "Ident" that is no language name, with the
// language it most likely means.
void CheckColumnNames(const xls::Sheet& sheet, const std::wstring& file, Findings& findings);

// A warning for each "%" code in the texts of `languages` that Setup.exe does not replace.
void CheckEscapeCodes(const xls::Sheet& sheet, const std::vector<std::wstring>& languages,
                      const std::wstring& file, Findings& findings);

}  // namespace package_check
