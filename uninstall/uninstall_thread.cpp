#include "uninstall/uninstall_thread.h"

#include <utility>

#include "app/app.h"
#include "uninstall/removal_sequence.h"

TUninstallThread::TUninstallThread(HWND page, UNINSTStruct_INFO record)
    : TWorkerThread(page, kUninstallFinishedMessage), record_(std::move(record)) {}

void TUninstallThread::Execute() {
  const std::wstring programsFolder = App.GetText(L"UNINSTALL", L"LINK_PROGRAMS_FOLDER");
  removed_ = RemoveInstallation(record_, programsFolder, *this, *this, [this] { PassGate(); });
}
