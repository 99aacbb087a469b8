// The values of Setup.ini and of the text workbook that name folders and files, the modes that
// join them into paths, and the first one that breaks its rule. A run refuses such a package
// before it changes anything; the package checker reports the same.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/folders/name_rules.h"
#include "core/prepare/run_mode.h"

namespace prepare {

// A value by its key: section [Setup] of Setup.ini, or section UNINSTALL of the texts.
using ValueReader = std::function<std::wstring(std::wstring_view key)>;

struct NameBreach {
  std::wstring key;  // "%PROGRAM_FILES", or a text identifier such as "LINK_PROGRAMS_FOLDER"
  std::wstring value;
  folders::NameProblem problem = folders::NameProblem::kNone;
};

// The first value that `mode` uses as a name and that breaks its rule; nothing when all keep
// them. Registry mode also needs %PUBLISHER and %REG_FODLER_PROGNAME to be there.
std::optional<NameBreach> FindNameBreach(RunMode mode, const ValueReader& setting,
                                         const ValueReader& text);

// Every breach in any mode, for the package checker.
std::vector<NameBreach> AllNameBreaches(const ValueReader& setting, const ValueReader& text);

// "%PROGRAM_FILES \"..\" must not be \".\" or \"..\"", for debugger lines and reports.
std::wstring NameBreachText(const NameBreach& breach);

}  // namespace prepare
