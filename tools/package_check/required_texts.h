// The texts Setup.exe asks the workbook for: named texts of the two sections, and the caption of
// every control that takes its caption from the workbook, page by page.
#pragma once

#include <span>
#include <string_view>

namespace package_check {

inline constexpr std::wstring_view kWizardSection = L"InstallWizard";
inline constexpr std::wstring_view kUninstallSection = L"UNINSTALL";

struct RequiredText {
  std::wstring_view section;
  std::wstring_view identifier;
  bool mayBeEmpty;  // an empty text is a deliberate choice (no Start-menu folder level, no URL)
};

// A control caption: found as "<page>-><control>->Caption" or "<control>->Caption".
struct RequiredCaption {
  std::wstring_view page;
  std::wstring_view control;
};

std::span<const RequiredText> RequiredTexts();
std::span<const RequiredCaption> RequiredCaptions();

}  // namespace package_check
