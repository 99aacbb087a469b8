// Where the time goes between the start of Setup.exe and its preparation window painted: the
// start-up of RunWizard step by step, in-process, each step timed on its own. Run from a copy
// inside a package folder (the pages read their pictures and licence beside the program):
//
//   startup_profile.exe
//
// prints one line per step, "step <name> <ms>", for tools/run-benchmarks.sh. Steps taken out
// of a later one (the rich-edit library before the pages, a picture and a font on their own) are
// timed first, so the later step no longer includes them.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/app.h"
#include "main/create_forms.h"
#include "pages/ask_install_page.h"
#include "pages/ask_upgrade_page.h"
#include "pages/cancel_confirm_dialog.h"
#include "pages/cancelled_page.h"
#include "pages/eula_page.h"
#include "pages/finish_page.h"
#include "pages/install_page.h"
#include "pages/uninstall_confirm_dialog.h"
#include "pages/uninstall_page.h"
#include "pages/upgrade_page.h"
#include "pages/welcome_page.h"
#include "prepare/prepare_form.h"
#include "winfx/application.h"

namespace {

using Clock = std::chrono::steady_clock;

void Print(const char* step, double ms) {
  std::printf("step %s %.1f\n", step, ms);
  std::fflush(stdout);
}

template <typename Work>
void Step(const char* name, Work work) {
  const auto start = Clock::now();
  work();
  Print(name, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
}

// From the process's creation (as the system recorded it) to now.
double SinceProcessCreation() {
  FILETIME created;
  FILETIME ignored;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &ignored, &ignored, &ignored);
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  const auto ticks = [](FILETIME time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  };
  return static_cast<double>(ticks(now) - ticks(created)) / 10'000.0;
}

bool Painted(HWND window) {
  if (!::IsWindowVisible(window) || ::GetUpdateRect(window, nullptr, FALSE)) return false;
  for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::IsWindowVisible(child) && !Painted(child)) return false;
  }
  return true;
}

}  // namespace

int wmain() {
  Print("process_start_to_main", SinceProcessCreation());
  const std::wstring folder = ExecutableFolder();
  Step("texts_and_settings", [&] { (void)App.Initialize(folder); });
  Step("common_controls_and_application_window", [] { winfx::Application.Initialize(); });
  Step("icon", [&] { winfx::Application.LoadIconFile(folder + L"English\\Application.ico"); });
  Step("rich_edit_library",
       [] { ::LoadLibraryExW(L"msftedit.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32); });
  Step("picture_title_bmp", [&] {
    ::DeleteObject(::LoadImageW(nullptr, (folder + L"English\\Title.bmp").c_str(), IMAGE_BITMAP, 0,
                                0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  });
  Step("font_created_and_measured", [] {
    HFONT font = ::CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
    HDC dc = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size;
    ::GetTextExtentPoint32W(dc, L"Setup", 5, &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    ::DeleteObject(font);
  });
  using winfx::Application;
  Step("form_FPrepare", [] { Application.CreateForm(FPrepare); });
  FPrepare->OnShow = nullptr;  // the start checks run after the first paint
  Step("form_FWelcome", [] { Application.CreateForm(FWelcome); });
  Step("form_FAskInstall", [] { Application.CreateForm(FAskInstall); });
  Step("form_FAskUpgradeAndRepair", [] { Application.CreateForm(FAskUpgradeAndRepair); });
  Step("form_FCancelConfirm", [] { Application.CreateForm(FCancelConfirm); });
  Step("form_FCancel", [] { Application.CreateForm(FCancel); });
  Step("form_FEULA", [] { Application.CreateForm(FEULA); });
  Step("form_FFinish", [] { Application.CreateForm(FFinish); });
  Step("form_FInstall", [] { Application.CreateForm(FInstall); });
  Step("form_FUpgradeAndRepair", [] { Application.CreateForm(FUpgradeAndRepair); });
  Step("form_FUninstallConfirm", [] { Application.CreateForm(FUninstallConfirm); });
  Step("form_FUninstall", [] { Application.CreateForm(FUninstall); });
  Step("preparation_window_shown_and_painted", [] {
    FPrepare->Show();
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (!Painted(FPrepare->Handle()) && Clock::now() < deadline) {
      MSG message;
      while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
  });
  Print("process_start_to_painted", SinceProcessCreation());
  Application.DestroyForms();
  return 0;
}
