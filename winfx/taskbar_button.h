// The taskbar's button of a window, for a window that stays shown but is not to be seen.
#pragma once

#include <windows.h>

namespace winfx {

// Removes the window's button from the taskbar; nothing happens where there is no taskbar.
void RemoveTaskbarButton(HWND window);

}  // namespace winfx
