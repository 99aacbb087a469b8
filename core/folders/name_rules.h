// What Windows accepts as one folder or file name, and as a relative path below a folder. Names
// from a package's settings and texts are joined into paths that an elevated program clears,
// copies and re-permissions, so a name must stay one step down from the folder it is joined to.
#pragma once

#include <string_view>

namespace folders {

enum class NameProblem {
  kNone,
  kEmpty,               // "" where a name is needed
  kDots,                // "." or ".." (only dots and blanks): a step up or the folder itself
  kForbiddenCharacter,  // \ / : * ? " < > | or a control character
  kTrailingDotOrBlank,  // Windows trims them, so the name would reach another folder
  kDeviceName,          // CON, PRN, AUX, NUL, COM1-9, LPT1-9, CONIN$, CONOUT$, also "CON.txt"
  kRooted,              // a relative path that starts at a root or holds an empty step
};

// A plain name: one step below the folder it is joined to.
NameProblem CheckPlainName(std::wstring_view name);

// A relative path below a folder ("Data\", "Icons\Uninstall.ico"): steps separated by "\" or "/",
// each a plain name; one trailing separator is allowed and "" is allowed.
NameProblem CheckRelativePath(std::wstring_view path);

// The rule a name breaks, for messages: "must not be empty", ...
std::wstring_view NameProblemText(NameProblem problem);

// The parts of the rules that the file-list names share.
bool IsForbiddenNameCharacter(wchar_t c);
bool IsOnlyDotsAndBlanks(std::wstring_view name);
// Windows looks at the part before the first dot, trailing blanks dropped: "nul .txt" is NUL.
bool IsDeviceName(std::wstring_view name);

}  // namespace folders
