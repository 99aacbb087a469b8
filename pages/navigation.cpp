#include "pages/navigation.h"

#include "app/app.h"

namespace pages {

void GoToPage(winfx::TForm& from, winfx::TForm& to) {
  from.Hide();
  to.Show();
}

bool LicencePageIsShown() {
  return ReadSettingAfresh(L"%PUBLISHER", L"OEM").value_or(L"") != L"OEM";
}

}  // namespace pages
