#include "core/text/built_in_texts.h"

#include "core/strings/string_util.h"

namespace localisation {
namespace {

constexpr BuiltInText kTexts[] = {
    {L"InstallWizard", L"MSG_401",
     L"Setup of this product is running already. Please wait until it has ended, then start "
     L"Setup again."},
    {L"InstallWizard", L"FinishIncomplete_Install", L"Installation incomplete"},
    {L"InstallWizard", L"FinishIncomplete_Upgrade", L"Upgrade incomplete"},
    {L"InstallWizard", L"FinishIncompleteNotes",
     L"Not all of %P could be written. Run Setup again to finish it. Left out:"},
    {L"InstallWizard", L"FailedWrite_Title", L"A file cannot be written"},
    {L"InstallWizard", L"FailedWrite_InUse", L"It is in use by another program."},
    {L"InstallWizard", L"FailedWrite_AccessDenied", L"Access to it is denied."},
    {L"InstallWizard", L"FailedWrite_DiskFull", L"The disk is full."},
    {L"InstallWizard", L"FailedWrite_Other", L"Windows reports an error."},
    {L"InstallWizard", L"FailedWrite_Holders", L"Programs using it:"},
    {L"InstallWizard", L"FailedWrite_HoldersUnknown",
     L"Windows cannot tell which programs use it."},
    {L"InstallWizard", L"FailedWrite_Retry", L"&Retry"},
    {L"InstallWizard", L"FailedWrite_Skip", L"&Skip this file"},
    {L"InstallWizard", L"FailedWrite_Stop", L"S&top"},
};

}  // namespace

std::span<const BuiltInText> BuiltInTexts() {
  return kTexts;
}

std::wstring_view BuiltInEnglish(std::wstring_view section, std::wstring_view identifier) {
  for (const BuiltInText& text : kTexts) {
    if (strings::EqualsIgnoreCase(text.section, section) &&
        strings::EqualsIgnoreCase(text.identifier, identifier)) {
      return text.english;
    }
  }
  return {};
}

}  // namespace localisation
