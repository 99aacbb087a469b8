// Pictures and icons read by their content, not their names: the wizard's pictures are loaded as
// BMP first and through GDI+ otherwise (which reads PNG, JPEG and GIF by their content), icons
// as icon resources (.ico).
#pragma once

#include <string>
#include <string_view>

#include "core/language/picture_size.h"
#include "tools/package_check/findings.h"
#include "tools/package_check/package_folder.h"

namespace package_check {

using localisation::PictureSize;

// The title band (Title.bmp) and the side picture of the welcome and finish pages (Left.bmp).
inline constexpr PictureSize kTitlePictureSize{554, 65};
inline constexpr PictureSize kSidePictureSize{185, 318};

// Checks the picture at `relative` (which exists): a format the pages can load, whose name says
// what it is, of the size the page has room for.
void CheckPictureFile(const PackageFolder& package, const std::wstring& relative,
                      PictureSize expected, Findings& findings);

// Checks that the file at `relative` (which exists) is an icon; `shownBy` says what shows it
// ("the shortcut named by %UNINST_ICO").
void CheckIconFile(const PackageFolder& package, const std::wstring& relative,
                   std::wstring_view shownBy, Findings& findings);

}  // namespace package_check
