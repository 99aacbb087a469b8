// Finding the per-language copy of a picture or other file beside the executable.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace localisation {

using FileExistsCheck = std::function<bool(const std::wstring& path)>;

// The first existing file among: the PNG twin of baseFolder + language + "\" + fileName, that
// path itself, the PNG twin of baseFolder + "English\" + fileName, that path itself; "" when
// none exists. `baseFolder` ends with a separator. The PNG twin is the path with every
// occurrence of the extension of the language's path (its last "." on, in the last path
// component) replaced by ".png", anywhere in the path and case-sensitively.
std::wstring LocalizedFilePath(std::wstring_view baseFolder, std::wstring_view language,
                               std::wstring_view fileName, const FileExistsCheck& fileExists);

}  // namespace localisation
