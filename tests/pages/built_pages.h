// The wizard's pages built as start-up builds them, for a test product whose settings file is
// `setupIniPath` (absent unless the test writes it) and texts in `language`.
#pragma once

#include <string>

#include "app/app.h"
#include "main/create_forms.h"
#include "winfx/application.h"

namespace testing_support {

inline void BuildPages(const std::wstring& setupIniPath,
                       const std::wstring& language = L"English") {
  App.Paths.SetupIniPath = setupIniPath;
  App.Info.TextSection = L"InstallWizard";
  App.Info.ProductName = L"Kestra Capture";
  App.Info.Language = language;
  winfx::Application.Initialize();
  CreateForms();
}

}  // namespace testing_support
