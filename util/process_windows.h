// Stops the running copies of a program, by the file name of their executable.
#pragma once

#include <chrono>
#include <string>

// How long CloseProcessesByName waits for a window to handle its close request; a process
// whose window does not answer within it is left running, and the walk goes on. Not below the
// five seconds after which the system takes a thread for hung.
inline constexpr std::chrono::milliseconds kWindowCloseTimeout{5000};

// For every process whose executable file name (no folder) equals `exeName` exactly, letter
// case included: with `terminate`, ends it at once with exit code 0, writing "Delete Process
// Success!" or "Delete Process Fail!" to the debugger output; otherwise sends WM_CLOSE to each
// of its top-level windows, so a process without windows keeps running. An empty name matches
// nothing.
void CloseProcessesByName(const std::wstring& exeName, bool terminate);
