// Settings files on disk: read with the system code page as the fallback encoding, and written
// back in the encoding they were read with.
#pragma once

#include <memory>
#include <string>

#include "core/ini/ini_file.h"

// Nothing when the file does not exist or cannot be read.
std::unique_ptr<ini::IniFile> ReadIniFile(const std::wstring& path);
bool WriteIniFile(const std::wstring& path, const ini::IniFile& ini);

// The system code page (CP_ACP) as the INI reader and writer use it.
strings::CodePage SystemCodePage();
