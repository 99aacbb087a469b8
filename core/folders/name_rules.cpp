#include "core/folders/name_rules.h"

#include <algorithm>
#include <array>

namespace folders {
namespace {

constexpr std::wstring_view kSeparators = L"\\/";
constexpr std::wstring_view kForbiddenCharacters = L"<>:\"|?*";
// Windows takes COM and LPT followed by a superscript digit as devices too.
constexpr std::wstring_view kDevicePortDigits = L"0123456789\u00B9\u00B2\u00B3";

bool EqualsAsciiIgnoreCase(std::wstring_view text, std::wstring_view upper) {
  return std::equal(text.begin(), text.end(), upper.begin(), upper.end(), [](wchar_t a, wchar_t b) {
    return (a >= L'a' && a <= L'z' ? static_cast<wchar_t>(a - L'a' + L'A') : a) == b;
  });
}

}  // namespace

bool IsForbiddenNameCharacter(wchar_t c) {
  return c < L' ' || kForbiddenCharacters.find(c) != std::wstring_view::npos;
}

bool IsOnlyDotsAndBlanks(std::wstring_view name) {
  return name.find_first_not_of(L". ") == std::wstring_view::npos;
}

bool IsDeviceName(std::wstring_view name) {
  std::wstring_view base = name.substr(0, name.find(L'.'));
  base = base.substr(0, base.find_last_not_of(L' ') + 1);
  constexpr std::array<std::wstring_view, 6> kDevices = {L"CON", L"PRN",    L"AUX",
                                                         L"NUL", L"CONIN$", L"CONOUT$"};
  for (std::wstring_view device : kDevices) {
    if (EqualsAsciiIgnoreCase(base, device)) return true;
  }
  if (base.size() != 4 || kDevicePortDigits.find(base[3]) == std::wstring_view::npos) return false;
  const std::wstring_view port = base.substr(0, 3);
  return EqualsAsciiIgnoreCase(port, L"COM") || EqualsAsciiIgnoreCase(port, L"LPT");
}

NameProblem CheckPlainName(std::wstring_view name) {
  if (name.empty()) return NameProblem::kEmpty;
  if (std::any_of(name.begin(), name.end(), [](wchar_t c) {
        return IsForbiddenNameCharacter(c) || c == L'\\' || c == L'/';
      })) {
    return NameProblem::kForbiddenCharacter;
  }
  if (IsOnlyDotsAndBlanks(name)) return NameProblem::kDots;
  if (name.back() == L'.' || name.back() == L' ') return NameProblem::kTrailingDotOrBlank;
  if (IsDeviceName(name)) return NameProblem::kDeviceName;
  return NameProblem::kNone;
}

NameProblem CheckRelativePath(std::wstring_view path) {
  if (path.empty()) return NameProblem::kNone;
  if (kSeparators.find(path.back()) != std::wstring_view::npos) path.remove_suffix(1);
  for (std::size_t start = 0;;) {
    const std::size_t end = path.find_first_of(kSeparators, start);
    const NameProblem problem = CheckPlainName(path.substr(start, end - start));
    // An empty step is a leading separator (a rooted path) or two in a row.
    if (problem == NameProblem::kEmpty) return NameProblem::kRooted;
    if (problem != NameProblem::kNone) return problem;
    if (end == std::wstring_view::npos) return NameProblem::kNone;
    start = end + 1;
  }
}

std::wstring_view NameProblemText(NameProblem problem) {
  switch (problem) {
    case NameProblem::kNone:
      return L"";
    case NameProblem::kEmpty:
      return L"must not be empty";
    case NameProblem::kDots:
      return L"must not be \".\" or \"..\"";
    case NameProblem::kForbiddenCharacter:
      return L"must not hold \\ / : * ? \" < > | or control characters";
    case NameProblem::kTrailingDotOrBlank:
      return L"must not end in a dot or a blank";
    case NameProblem::kDeviceName:
      return L"must not be a DOS device name (CON, NUL, COM1, ...)";
    case NameProblem::kRooted:
      return L"must be relative: no leading \"\\\" and no empty step";
  }
  return L"";
}

}  // namespace folders
