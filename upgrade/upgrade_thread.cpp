#include "upgrade/upgrade_thread.h"

#include <shlobj.h>

#include <utility>

#include "core/strings/string_util.h"
#include "core/upgrade/list_paths.h"
#include "upgrade/file_list_upgrade.h"
#include "util/special_folders.h"

TUpgradeThread::TUpgradeThread(HWND page, UNINSTStruct_INFO record, std::wstring setupFolder)
    : TWorkerThread(page, kUpgradeFinishedMessage),
      record_(std::move(record)),
      setupFolder_(std::move(setupFolder)) {}

void TUpgradeThread::Execute() {
  // Both folders end in the installed product's name: it must be one plain folder name, or the
  // comparison would run on folders that are not the program's.
  if (record_.InstallDir.empty() || setupFolder_.empty() ||
      !upgrade::IsNameInsideFolder(record_.Product) ||
      record_.Product.find_first_of(L"\\/") != std::wstring::npos) {
    return;
  }
  const std::wstring installed =
      strings::WithTrailingSeparator(record_.InstallDir) + record_.Product + L"\\";
  const std::wstring package =
      strings::WithTrailingSeparator(setupFolder_) + L"Program Files\\" + record_.Product;
  PassGate();
  AskingAboutFailedWrites([&] {
    complete_ = CompareAndApply(package, installed, GetSpecialFolder(CSIDL_TEMPLATES),
                                strings::WithTrailingSeparator(setupFolder_) + L"Setup.ini",
                                [this] { PassGate(); })
                    .failures == 0;
  });
}
