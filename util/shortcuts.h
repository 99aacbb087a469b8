// Shortcut (.lnk) files made through the shell's link object.
#pragma once

#include <string>

// Writes the shortcut `link` (its folder must exist; an existing file is replaced) to `target`,
// with the description, the icon `icon` at index 0, the target's folder as the working folder and,
// when not empty, the arguments. COM is initialised for the call on the calling thread, whatever
// that thread's COM state is. False only when the link object cannot be created; a shortcut that
// cannot be saved is not reported.
bool CreateShortcut(const std::wstring& link, const std::wstring& target,
                    const std::wstring& description, const std::wstring& arguments,
                    const std::wstring& icon);
