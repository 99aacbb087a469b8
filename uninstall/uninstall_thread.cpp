#include "uninstall/uninstall_thread.h"

#include <utility>

#include "uninstall/removal_sequence.h"

TUninstallThread::TUninstallThread(HWND page, UNINSTStruct_INFO record, std::wstring programsFolder)
    : TWorkerThread(page, kUninstallFinishedMessage),
      record_(std::move(record)),
      programsFolder_(std::move(programsFolder)) {}

void TUninstallThread::Execute() {
  removed_ = RemoveInstallation(record_, programsFolder_, *this, *this, [this] { PassGate(); });
}
