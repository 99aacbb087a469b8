// What makes the installed program reachable: the start-up value under Run and the shortcuts in
// the common Start menu and on the common desktop.
#pragma once

#include <string>

class TInstallThread;

void WriteRegOnBootName(TInstallThread& thread);
// `publisherFolder` is "" for OEM packages; `programsFolder` is the Start-menu folder's name.
void CreateLinks(TInstallThread& thread, const std::wstring& publisherFolder,
                 const std::wstring& programsFolder);
