// The run's log file, asked for with "/log=<path>" or kept by every quiet run: UTF-8 lines, each
// with the local time, appended so that an uninstaller started by the run can add its own.
// Every thread may write; nothing is written while no log is open.
#pragma once

#include <string>
#include <string_view>

// Opens (creates, or appends to) the log; false when the file cannot be opened.
bool OpenSetupLog(const std::wstring& path);
void CloseSetupLog();
bool SetupLogOpen();

void LogLine(std::wstring_view text);
// A line of the log that is also shown to a debugger attached to the run.
void LogDebugLine(std::wstring_view text);
// "<done> <path>", or "<done> failed (error <n>): <path>" with the calling thread's last error;
// call it right after the operation.
void LogFileOperation(std::wstring_view done, const std::wstring& path, bool succeeded);
