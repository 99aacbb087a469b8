#include "core/prepare/run_options.h"

#include "core/strings/string_util.h"

namespace prepare {

RunOptions ParseRunOptions(std::span<const std::wstring> arguments) {
  constexpr std::wstring_view kLogPrefix = L"/log=";
  RunOptions options;
  for (const std::wstring& argument : arguments) {
    const std::wstring lower = strings::ToLowerAscii(argument);
    if (lower == L"/quiet") {
      options.quiet = true;
    } else if (lower.starts_with(kLogPrefix) && argument.size() > kLogPrefix.size()) {
      options.logPath = argument.substr(kLogPrefix.size());
    }
  }
  return options;
}

}  // namespace prepare
