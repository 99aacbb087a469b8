// The question about a file the worker cannot write (held open by another program, access denied,
// disk full): the file's path, the reason in words, the programs holding it where Windows can
// tell, and three choices.
#pragma once

#include <windows.h>

#include <string>

#include "app/worker_thread.h"

enum class FailedWriteChoice { kRetry, kSkip, kStop };

// The reason of `error` in words, from the texts (built-in English without them).
std::wstring FailedWriteReason(DWORD error);
// The box's text below its headline: path, reason, holders.
std::wstring FailedWriteDetails(const FailedWrite& file);

// Shows the box owned by `owner` and returns the choice; closing it counts as Stop.
FailedWriteChoice AskAboutFailedWrite(HWND owner, const FailedWrite& file);
