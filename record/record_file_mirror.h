// Keeps the record file Regedit_FileList.ini of an installation in step with values rewritten
// in the registry: the keys are written in place, everything else in the file stays.
#pragma once

#include <string>
#include <vector>

#include "core/ini/ini_file.h"

// Writes `values` into section `section` of `updaterFolder` + "Regedit_FileList.ini" when that
// file exists; a missing file is not created. `updaterFolder` ends with "\".
void MirrorIntoRecordFile(const std::wstring& updaterFolder, const std::wstring& section,
                          const std::vector<ini::IniEntry>& values);
