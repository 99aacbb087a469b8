// The body of the entry point, with the administrator query passed in so that tests can refuse.
#pragma once

using AdminQuery = bool (*)();

// The platform's answer: does the process run with administrator rights?
bool IsProcessAdministrator();

// Builds the application object, refuses without administrator rights, creates the windows and
// runs the message loop; a quiet run ("/quiet") runs its mode without a window instead. Returns 0,
// or in a quiet run the number of the message that refused.
int RunSetup(AdminQuery isAdministrator);
