// demo_walk.exe: walks the sample package's wizard as a user would, saving a picture of every
// window it passes, and prints what an installation left behind.
//   demo_walk install   PACKAGE LANGUAGE PICTURES   welcome, licence, ready, install (with a
//                                                   look at the cancel question), finish
//   demo_walk cancel    PACKAGE LANGUAGE PICTURES   welcome, Cancel: the cancelled page
//   demo_walk upgrade   PACKAGE LANGUAGE PICTURES   "Setup.exe upgrade": ask, upgrade, finish
//   demo_walk uninstall PACKAGE LANGUAGE PICTURES   the installed uninstaller: confirm, finish
//   demo_walk incomplete PACKAGE LANGUAGE PICTURES  an installation whose program file another
//                                                   program holds open: the box, Skip this file,
//                                                   the finish page saying "incomplete"
//   demo_walk report    PACKAGE                     the installation report
// PACKAGE and PICTURES are Windows folders; LANGUAGE is the column of the workbook whose
// captions the wizard shows (the language Wine was started in). Exit code 0 when the walk
// reached its end.
#include <shlobj.h>
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

#include "core/strings/utf_string_conversions.h"
#include "tools/demo/installation_report.h"
#include "tools/demo/window_picture.h"
#include "tools/demo/wizard_texts.h"
#include "tools/driver/driver.h"
#include "util/ini_file_io.h"
#include "util/scoped_handle.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kPageWait = 60s;
constexpr auto kWorkWait = 300s;
// Pages are found as soon as they are visible; this lets them paint before the picture.
constexpr DWORD kPaintMilliseconds = 400;

void Say(const std::wstring& line) {
  std::fputs(strings::WideToUtf8(line + L"\n").c_str(), stdout);
  std::fflush(stdout);
}

std::wstring WithSeparator(std::wstring folder) {
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder;
}

class Walk {
 public:
  Walk(const std::wstring& package, const std::wstring& language, const std::wstring& pictures)
      : package_(WithSeparator(package)),
        pictures_(WithSeparator(pictures)),
        texts_(package_, language) {
    ::CreateDirectoryW(pictures_.c_str(), nullptr);
  }

  void Start(const std::wstring& commandLine) { setup_.emplace(commandLine, package_); }

  // Waits for the page, saves its picture as <name>.png (none for an empty name) and returns it.
  HWND Page(const std::wstring& form, const std::wstring& pictureName,
            std::chrono::milliseconds wait = kPageWait) {
    const auto page = driver::WaitForVisibleWindowOfClass(setup_->Id(), L"T" + form, wait);
    if (!page) {
      Say(L"no " + form + L" window appeared");
      return nullptr;
    }
    if (!pictureName.empty()) Picture(page->handle, form, pictureName);
    return page->handle;
  }

  void Picture(HWND window, const std::wstring& form, const std::wstring& pictureName) {
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::Sleep(kPaintMilliseconds);
    const std::wstring path = pictures_ + pictureName + L".png";
    Say(L"  " + form + (pictures_writer_.Save(window, path) ? L" -> " + path : L""));
  }

  DWORD ProcessId() const { return setup_->Id(); }

  bool Press(HWND page, const std::wstring& form, const std::wstring& control) {
    const std::wstring caption = texts_.Caption(form, control);
    HWND button = page != nullptr ? driver::FindChildByText(page, caption) : nullptr;
    if (button == nullptr) {
      Say(L"no button " + control + L" (\"" + caption + L"\") on " + form);
      return false;
    }
    driver::Click(button);
    return true;
  }

  // Waits until the Next button of the licence page is enabled after agreeing.
  bool WaitEnabled(HWND page, const std::wstring& form, const std::wstring& control) {
    HWND button = driver::FindChildByText(page, texts_.Caption(form, control));
    return button != nullptr &&
           driver::WaitForWindow(
               setup_->Id(),
               [&](const driver::WindowInfo&) { return ::IsWindowEnabled(button) != FALSE; }, 10s);
  }

  bool Ended() { return setup_->WaitForExit(60s).has_value(); }

  const std::wstring& Package() const { return package_; }

 private:
  std::wstring package_;
  std::wstring pictures_;
  demo::WizardTexts texts_;
  demo::PictureWriter pictures_writer_;
  std::optional<driver::Process> setup_;
};

bool Install(Walk& walk) {
  walk.Start(L"\"" + walk.Package() + L"Setup.exe\"");
  walk.Page(L"FPrepare", L"FPrepare");
  HWND welcome = walk.Page(L"FWelcome", L"FWelcome");
  if (!walk.Press(welcome, L"FWelcome", L"bt_Next")) return false;
  HWND licence = walk.Page(L"FEULA", L"FEULA");
  if (!walk.Press(licence, L"FEULA", L"rb_AgreeEULA")) return false;
  if (!walk.WaitEnabled(licence, L"FEULA", L"bt_Next")) return false;
  walk.Page(L"FEULA", L"FEULA-agreed");
  if (!walk.Press(licence, L"FEULA", L"bt_Next")) return false;
  HWND ready = walk.Page(L"FAskInstall", L"FAskInstall");
  if (!walk.Press(ready, L"FAskInstall", L"bt_Install")) return false;
  HWND progress = walk.Page(L"FInstall", L"FInstall");
  // Cancelling holds the work while the question is open; going on lets it finish.
  if (progress != nullptr && walk.Press(progress, L"FInstall", L"bt_Cancel")) {
    HWND question = walk.Page(L"FCancelConfirm", L"FCancelConfirm", 10s);
    if (question != nullptr) walk.Press(question, L"FCancelConfirm", L"bt_Cancel");
  }
  HWND finish = walk.Page(L"FFinish", L"FFinish", kWorkWait);
  if (!walk.Press(finish, L"FFinish", L"bt_Finish")) return false;
  return walk.Ended();
}

bool Cancel(Walk& walk) {
  walk.Start(L"\"" + walk.Package() + L"Setup.exe\"");
  HWND welcome = walk.Page(L"FWelcome", L"FWelcome");
  if (!walk.Press(welcome, L"FWelcome", L"bt_Cancel")) return false;
  HWND cancelled = walk.Page(L"FCancel", L"FCancel");
  if (!walk.Press(cancelled, L"FCancel", L"bt_OK")) return false;
  return walk.Ended();
}

bool Upgrade(Walk& walk) {
  walk.Start(L"\"" + walk.Package() + L"Setup.exe\" upgrade");
  HWND ask = walk.Page(L"FAskUpgradeAndRepair", L"FAskUpgradeAndRepair");
  if (!walk.Press(ask, L"FAskUpgradeAndRepair", L"bt_Upgrade")) return false;
  // A picture is only right if the page was still up when it was taken: the upgrade does not
  // pause for it, so a payload too small to keep it busy ends the page under the picture.
  HWND progress = walk.Page(L"FUpgradeAndRepair", L"FUpgradeAndRepair", 10s);
  if (progress != nullptr && !::IsWindowVisible(progress)) {
    Say(L"  FUpgradeAndRepair ended while it was pictured: give the upgrade more to copy");
  }
  HWND finish = walk.Page(L"FFinish", L"FFinish-upgrade", kWorkWait);
  if (!walk.Press(finish, L"FFinish", L"bt_Finish")) return false;
  return walk.Ended();
}

bool Uninstall(Walk& walk) {
  const auto settings = ReadIniFile(walk.Package() + L"Setup.ini");
  const std::wstring product =
      settings ? settings->ReadString(L"Setup", L"%REG_FODLER_PROGNAME", L"") : L"";
  const auto uninstaller = driver::ReadRegistryString(
      HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + product,
      L"UninstallString");
  if (!uninstaller) {
    Say(L"no uninstall entry for " + product);
    return false;
  }
  walk.Start(*uninstaller);
  HWND confirm = walk.Page(L"FUninstallConfirm", L"FUninstallConfirm");
  if (!walk.Press(confirm, L"FUninstallConfirm", L"bt_OK")) return false;
  walk.Page(L"FUninstall", L"FUninstall", 10s);
  HWND finish = walk.Page(L"FFinish", L"FFinish-uninstall", kWorkWait);
  if (!walk.Press(finish, L"FFinish", L"bt_Finish")) return false;
  return walk.Ended();
}

// The program file of the package, held open without sharing by this walk while it lives.
class HeldProgramFile {
 public:
  explicit HeldProgramFile(const std::wstring& package) {
    const auto settings = ReadIniFile(package + L"Setup.ini");
    if (!settings) return;
    const std::wstring product = settings->ReadString(L"Setup", L"%PROGRAM_FILES", L"");
    wchar_t programFiles[MAX_PATH] = {};
    ::SHGetSpecialFolderPathW(nullptr, programFiles, CSIDL_PROGRAM_FILES, FALSE);
    const std::wstring folder = std::wstring(programFiles) + L"\\" + product + L"\\" + product;
    ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    const std::wstring path =
        folder + L"\\" + settings->ReadString(L"Setup", L"%PROGRAM_EXEC", L"");
    {
      win::ScopedHandle made(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    held_.Reset(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  bool Held() const { return held_.IsValid(); }

 private:
  win::ScopedHandle held_;
};

bool Incomplete(Walk& walk) {
  const HeldProgramFile held(walk.Package());
  if (!held.Held()) {
    Say(L"the program file could not be held open");
    return false;
  }
  walk.Start(L"\"" + walk.Package() + L"Setup.exe\"");
  HWND welcome = walk.Page(L"FWelcome", L"");
  if (!walk.Press(welcome, L"FWelcome", L"bt_Next")) return false;
  HWND licence = walk.Page(L"FEULA", L"");
  if (!walk.Press(licence, L"FEULA", L"rb_AgreeEULA")) return false;
  if (!walk.WaitEnabled(licence, L"FEULA", L"bt_Next")) return false;
  if (!walk.Press(licence, L"FEULA", L"bt_Next")) return false;
  HWND ready = walk.Page(L"FAskInstall", L"");
  if (!walk.Press(ready, L"FAskInstall", L"bt_Install")) return false;
  const auto box = driver::WaitForMessageBox(walk.ProcessId(), kWorkWait);
  if (!box) {
    Say(L"no box about the held program file appeared");
    return false;
  }
  walk.Picture(box->handle, L"the box about a file that cannot be written", L"FailedWrite");
  // The box's second button: Skip this file.
  constexpr int kSkipButton = 1002;
  if (!driver::AnswerMessageBox(*box, kSkipButton)) return false;
  HWND finish = walk.Page(L"FFinish", L"FFinish-incomplete", kWorkWait);
  if (!walk.Press(finish, L"FFinish", L"bt_Finish")) return false;
  return walk.Ended();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"report" && argc == 3) {
    demo::PrintInstallationReport(WithSeparator(argv[2]));
    return 0;
  }
  if (argc != 5) {
    Say(L"usage: demo_walk install|cancel|upgrade|uninstall|incomplete PACKAGE LANGUAGE PICTURES | "
        L"demo_walk report PACKAGE");
    return 2;
  }
  Walk walk(argv[2], argv[3], argv[4]);
  bool done = false;
  try {
    if (command == L"install") done = Install(walk);
    if (command == L"cancel") done = Cancel(walk);
    if (command == L"upgrade") done = Upgrade(walk);
    if (command == L"uninstall") done = Uninstall(walk);
    if (command == L"incomplete") done = Incomplete(walk);
  } catch (const std::exception& error) {
    Say(L"cannot start Setup.exe: " + strings::Utf8ToWide(error.what()));
  }
  return done ? 0 : 1;
}
