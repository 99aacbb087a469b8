// Loading a licence into a rich-edit control and printing it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

namespace pages {

// Rich text when the bytes start with "{\rtf", otherwise UTF-16 little-endian plain text.
void LoadRichText(HWND editor, std::span<const std::uint8_t> bytes);
// Every paragraph reads right to left and is aligned to the right (a licence in Arabic or
// Persian), or reads left to right, aligned left, in a control that is not mirrored.
void SetReadingDirection(HWND editor, bool rightToLeft);
// Prints the whole content, page by page, as one document of that title. When the control
// formats nothing of what is left (Wine's rich edit does not implement EM_FORMATRANGE), the job
// is abandoned and false returned: nothing comes out of the printer.
bool PrintRichText(HWND editor, HDC printer, const std::wstring& documentTitle);

}  // namespace pages
