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
  App.Initialize(ExecutableFolder());
  if (!isAdministrator()) {
    winfx::ShowMessage(App.GetText(L"InstallWizard", L"MSG_001"));
    return 0;
  }
  try {
    winfx::Application.Initialize();
    winfx::Application.LoadIconFile(ExecutableFolder() + L"English\\Application.ico");
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
