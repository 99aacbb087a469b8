#include "core/upgrade/list_paths.h"

#include <algorithm>
#include <array>

namespace upgrade {
namespace {

constexpr std::wstring_view kSeparators = L"\\/";
constexpr std::wstring_view kForbiddenCharacters = L"<>:\"|?*";

// Windows takes COM and LPT followed by a superscript digit as devices too.
constexpr std::wstring_view kDevicePortDigits = L"0123456789\u00B9\u00B2\u00B3";

bool IsForbiddenCharacter(wchar_t c) {
  return c < L' ' || kForbiddenCharacters.find(c) != std::wstring_view::npos;
}

bool IsOnlyDotsAndSpaces(std::wstring_view component) {
  return component.find_first_not_of(L". ") == std::wstring_view::npos;
}

bool EqualsAsciiIgnoreCase(std::wstring_view text, std::wstring_view upper) {
  return std::equal(text.begin(), text.end(), upper.begin(), upper.end(), [](wchar_t a, wchar_t b) {
    return (a >= L'a' && a <= L'z' ? static_cast<wchar_t>(a - L'a' + L'A') : a) == b;
  });
}

// Windows looks at the part before the first dot, trailing spaces dropped: "nul .txt" is NUL.
bool IsDeviceName(std::wstring_view component) {
  std::wstring_view base = component.substr(0, component.find(L'.'));
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

bool IsPlainComponent(std::wstring_view component) {
  return !component.empty() && !IsOnlyDotsAndSpaces(component) && !IsDeviceName(component);
}

}  // namespace

bool IsNameInsideFolder(std::wstring_view name) {
  if (name.empty() || std::any_of(name.begin(), name.end(), IsForbiddenCharacter)) return false;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = name.find_first_of(kSeparators, start);
    if (!IsPlainComponent(name.substr(start, end - start))) return false;
    if (end == std::wstring_view::npos) return true;
    start = end + 1;
  }
}

}  // namespace upgrade
