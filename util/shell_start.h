// Starts a program as the signed-in user would: through the desktop shell, which runs it with its
// own token. A program that lies where ordinary users may write is never started with this
// elevated program's rights.
#pragma once

#include <string>

// Asks the desktop shell to start `program` with `arguments` in `folder`, shown as `show`
// (SW_…). False, having started nothing, when there is no desktop shell to ask (a run as SYSTEM,
// a session without Explorer) or it refused. Logs what happened.
bool StartAsUser(const std::wstring& program, const std::wstring& arguments,
                 const std::wstring& folder, int show);
