// The body of the entry point, with the administrator query passed in so that tests can refuse.
#pragma once

using AdminQuery = bool (*)();

// The platform's answer: does the process run with administrator rights?
bool IsProcessAdministrator();

// Builds the application object, refuses without administrator rights, creates the windows and
// runs the message loop. Always returns 0.
int RunSetup(AdminQuery isAdministrator);
