// What makes the installed program reachable: the start-up value under Run and the shortcuts in
// the common Start menu and on the common desktop.
#pragma once

struct InstallContext;

void WriteRegOnBootName(InstallContext& context);
// Creates every shortcut of the product (BuildProductShortcuts) and fixes their paths: "" for a
// shortcut whose link object could not be made.
void CreateLinks(InstallContext& context);
