#include "core/prepare/uninstall_command.h"

#include "core/strings/string_util.h"

namespace prepare {

CommandParts SplitCommand(const std::wstring& command) {
  if (command.empty()) return {};
  if (command.front() == L'"') {
    const std::size_t close = command.find(L'"', 1);
    if (close == std::wstring::npos) return {};
    return {command.substr(1, close - 1), command.substr(close + 1)};
  }
  const std::size_t blank = command.find(L' ');
  if (blank == std::wstring::npos) return {command, L""};
  return {command.substr(0, blank), command.substr(blank)};
}

std::wstring ReplacementUninstallCommand(const CommandParts& recorded, bool quiet) {
  return L"\"" + recorded.program + L"\"" +
         strings::ReplaceAll(recorded.arguments, L"uninstall", L"uninstallanyway") +
         (quiet ? L" /quiet" : L"");
}

}  // namespace prepare
