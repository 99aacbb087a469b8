// The window class of panels: a plain container that paints its background (face colour or
// white), optionally an etched line along its top edge, and passes its children's notifications
// on to the form it belongs to.
#pragma once

#include <windows.h>

namespace winfx {

const wchar_t* RegisterPanelWindowClass();
void SetPanelOptions(HWND panel, unsigned options);
bool PanelIsWhite(HWND window);

}  // namespace winfx
