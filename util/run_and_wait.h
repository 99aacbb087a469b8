// Runs a command line as a separate process and waits until it ends.
#pragma once

#include <windows.h>

#include <string>

// Returns false when the process could not be started, true once it has ended. The wait has no
// time-out: the callers' commands end by themselves. The exit code is not read.
bool RunAndWait(const std::wstring& commandLine, DWORD creationFlags);
