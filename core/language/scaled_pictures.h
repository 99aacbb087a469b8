// The larger twins of a page picture ("Title@2x.png", "Title@1.5x.png" beside "Title.bmp") and
// which of them suits a screen's scale.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/language/localized_file_path.h"

namespace localisation {

struct ScaledPicture {
  std::wstring path;
  int percent;  // the scale the picture is drawn for: 100, 150 or 200
};

// The twin names of a picture, with the scale each is drawn for: "Title@1.5x.png" and
// "Title@2x.png" for "Title.bmp".
struct PictureTwin {
  std::wstring fileName;
  int percent;
};
std::vector<PictureTwin> LargerTwinNames(std::wstring_view fileName);

// The pictures of one language folder: the language's own when it holds the picture or any twin
// of it, else English's. The usual picture (its PNG twin first, as LocalizedFilePath) comes
// first; empty when neither folder has any.
std::vector<ScaledPicture> ScaledPictures(std::wstring_view baseFolder, std::wstring_view language,
                                          std::wstring_view fileName,
                                          const FileExistsCheck& fileExists);

// The picture drawn for the scale nearest `percent`; between two equally near, the larger one,
// which loses nothing when made smaller. `pictures` must not be empty.
const ScaledPicture& NearestScale(const std::vector<ScaledPicture>& pictures, int percent);

}  // namespace localisation
