#include "pages/navigation.h"

#include "app/app.h"
#include "util/file_bytes.h"
#include "util/ini_file_io.h"

namespace pages {

void GoToPage(winfx::TForm& from, winfx::TForm& to) {
  from.Hide();
  to.Show();
}

bool LicencePageIsShown() {
  std::wstring publisher;
  if (FileExists(App.Paths.SetupIniPath)) {
    if (const auto settings = ReadIniFile(App.Paths.SetupIniPath)) {
      publisher = settings->ReadString(L"Setup", L"%PUBLISHER", L"OEM");
    }
  }
  return publisher != L"OEM";
}

}  // namespace pages
