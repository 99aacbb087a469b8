// What makes the installed program reachable: the start-up value under Run and the shortcuts in
// the common Start menu and on the common desktop.
#pragma once

#include <string>

struct InstallContext;

void WriteRegOnBootName(InstallContext& context);
// `publisherFolder` is "" for OEM packages; `programsFolder` is the Start-menu folder's name.
// Fixes the four shortcut paths.
void CreateLinks(InstallContext& context, const std::wstring& publisherFolder,
                 const std::wstring& programsFolder);
