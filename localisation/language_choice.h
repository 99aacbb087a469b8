// The language of the run, from the system's settings, and the per-language files beside the
// program.
#pragma once

#include <cstdint>
#include <string>

// `name` when it is not empty, otherwise the language name of the system's default language.
std::wstring SystemLanguageName(const std::wstring& name);
// The spreadsheet column for a language identifier; 0 stands for the user's default language.
std::wstring LanguageColumnFor(std::uint16_t code);
// The per-language copy of a file (PNG twin first, English as the fallback), or "".
std::wstring LocalizedFilePath(const std::wstring& baseFolder, const std::wstring& language,
                               const std::wstring& fileName);
