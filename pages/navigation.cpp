#include "pages/navigation.h"

#include "app/app.h"
#include "winfx/application.h"

namespace pages {

void GoToPage(winfx::TForm& from, winfx::TForm& to) {
  from.Hide();
  to.Show();
}

void CloseMainWindow() {
  if (winfx::TForm* main = winfx::Application.MainForm()) main->Close();
}

bool LicencePageIsShown() {
  return ReadSettingAfresh(L"%PUBLISHER", L"OEM").value_or(L"") != L"OEM";
}

}  // namespace pages
