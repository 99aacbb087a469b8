// Runs a command line as a separate process and waits until it ends.
#pragma once

#include <windows.h>

#include <string>

// Returns false when the process could not be started, true once it has ended. The wait has no
// time-out: the callers' commands end by themselves. The exit code is not read. A non-empty
// `program` is the full path of the program started, whatever the command line names; without it
// the command line's first word is searched for, as Windows does.
bool RunAndWait(const std::wstring& commandLine, DWORD creationFlags,
                const std::wstring& program = L"");
