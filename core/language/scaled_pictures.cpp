#include "core/language/scaled_pictures.h"

#include <cstdlib>

#include "core/language/language_table.h"

namespace localisation {

std::vector<PictureTwin> LargerTwinNames(std::wstring_view fileName) {
  const std::size_t dot = fileName.find_last_of(L'.');
  const std::wstring stem(fileName.substr(0, dot));
  return {{stem + L"@1.5x.png", 150}, {stem + L"@2x.png", 200}};
}

std::vector<ScaledPicture> ScaledPictures(std::wstring_view baseFolder, std::wstring_view language,
                                          std::wstring_view fileName,
                                          const FileExistsCheck& fileExists) {
  auto inFolder = [&](std::wstring_view folder) {
    std::vector<ScaledPicture> found;
    // Only this folder: the fallback to English is chosen for the whole set, not per file.
    const std::wstring usual = LocalizedFilePath(baseFolder, folder, fileName, [&](const auto& p) {
      return p.rfind(std::wstring(baseFolder) + std::wstring(folder) + L"\\", 0) == 0 &&
             fileExists(p);
    });
    if (!usual.empty()) found.push_back({usual, 100});
    for (const PictureTwin& twin : LargerTwinNames(fileName)) {
      const std::wstring path =
          std::wstring(baseFolder) + std::wstring(folder) + L"\\" + twin.fileName;
      if (fileExists(path)) found.push_back({path, twin.percent});
    }
    return found;
  };
  std::vector<ScaledPicture> own = inFolder(language);
  if (!own.empty() || language == kFallbackLanguage) return own;
  return inFolder(kFallbackLanguage);
}

const ScaledPicture& NearestScale(const std::vector<ScaledPicture>& pictures, int percent) {
  const ScaledPicture* best = &pictures.front();
  for (const ScaledPicture& picture : pictures) {
    const int distance = std::abs(picture.percent - percent);
    const int bestDistance = std::abs(best->percent - percent);
    if (distance < bestDistance || (distance == bestDistance && picture.percent > best->percent)) {
      best = &picture;
    }
  }
  return *best;
}

}  // namespace localisation
