#include "app/run_setup.h"

#include <shlobj.h>
#include <windows.h>

#include <exception>
#include <string>

#include "app/app.h"
#include "app/create_forms.h"
#include "core/strings/utf_string_conversions.h"
#include "winfx/application.h"

bool IsProcessAdministrator() {
  return ::IsUserAnAdmin() != FALSE;
}

int RunSetup(AdminQuery isAdministrator) {
  // Start-up errors too (an allocation that fails on a damaged package) end with a message, not
  // a silent exit.
  try {
    App.Initialize(ExecutableFolder());
    if (!isAdministrator()) {
      winfx::ShowMessage(App.GetText(L"InstallWizard", L"MSG_001"));
      return 0;
    }
    winfx::Application.Initialize();
    CreateForms();
    winfx::Application.Run();
  } catch (const std::exception& error) {
    winfx::ShowMessage(strings::Utf8ToWide(error.what()));
  } catch (...) {
    winfx::ShowMessage(L"");
  }
  winfx::Application.DestroyForms();
  return 0;
}
