#include "localisation/language_choice.h"

#include <windows.h>

#include "core/language/language_table.h"
#include "core/language/localized_file_path.h"
#include "util/file_bytes.h"

std::wstring SystemLanguageName(const std::wstring& name) {
  if (!name.empty()) return name;
  return localisation::LanguageNameForId(::GetSystemDefaultLangID());
}

std::wstring LanguageColumnFor(std::uint16_t code) {
  if (code == 0) code = ::GetUserDefaultLangID();
  return localisation::LanguageColumnForId(code);
}

std::wstring LocalizedFilePath(const std::wstring& baseFolder, const std::wstring& language,
                               const std::wstring& fileName) {
  return localisation::LocalizedFilePath(baseFolder, language, fileName, &FileExists);
}
