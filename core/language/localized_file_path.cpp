#include "core/language/localized_file_path.h"

#include <array>

#include "core/language/language_table.h"
#include "core/strings/string_util.h"

namespace localisation {

namespace {

// From the last "." on, unless a path or drive separator comes after it.
std::wstring_view ExtensionOf(std::wstring_view path) {
  const std::size_t last = path.find_last_of(L".\\/:");
  if (last == std::wstring_view::npos || path[last] != L'.') return {};
  return path.substr(last);
}

}  // namespace

std::wstring LocalizedFilePath(std::wstring_view baseFolder, std::wstring_view language,
                               std::wstring_view fileName, const FileExistsCheck& fileExists) {
  const std::wstring ownPath =
      std::wstring(baseFolder) + std::wstring(language) + L"\\" + std::wstring(fileName);
  const std::wstring fallbackPath =
      std::wstring(baseFolder) + std::wstring(kFallbackLanguage) + L"\\" + std::wstring(fileName);
  const std::wstring_view extension = ExtensionOf(ownPath);
  const std::array<std::wstring, 4> candidates = {
      strings::ReplaceAll(ownPath, extension, L".png"),
      ownPath,
      strings::ReplaceAll(fallbackPath, extension, L".png"),
      fallbackPath,
  };
  for (const std::wstring& candidate : candidates) {
    if (fileExists(candidate)) return candidate;
  }
  return {};
}

}  // namespace localisation
