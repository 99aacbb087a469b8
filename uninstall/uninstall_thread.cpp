#include "uninstall/uninstall_thread.h"

#include <functional>
#include <utility>

#include "app/app.h"
#include "app/throttled_reports.h"
#include "uninstall/install_tree_removal.h"
#include "uninstall/uninstall_steps.h"

namespace {

// Often enough for the label and bar to look live, rarely enough to cost little per file.
constexpr ULONGLONG kFileReportIntervalMs = 50;

// A step that raises an error is passed over; the remaining steps still run.
void RunStep(const std::function<void()>& step) {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace

TUninstallThread::TUninstallThread(HWND page, UNINSTStruct_INFO record)
    : TWorkerThread(page, L"UNINSTALL_THREAD_FINISHED"), record_(std::move(record)) {}

void TUninstallThread::Execute() {
  const std::wstring programsFolder = App.GetText(L"UNINSTALL", L"LINK_PROGRAMS_FOLDER");
  // Each status text is shown once its step is done; the texts are the same in every language.
  const struct {
    std::function<void()> work;
    const wchar_t* status;
    int position;
  } steps[] = {
      {[this] { RemoveBootValue(record_); }, L"Remove Reg on Boot!", 20},
      {[this] { RemoveUninstallEntry(record_); }, L"Remove Reg on Add/Remove Programs!", 40},
      {[&] { RemoveLinks(record_, programsFolder); }, L"Remove Links!", 60},
      {[this] { RemovePrivateFolder(record_); }, L"Remove Reg on Program Folder!", 80},
      {[this] { RemoveProgramFolder(); }, L"Remove Program Folder!", 100},
  };
  SetPosition(0);
  for (const auto& step : steps) {
    PassGate();
    RunStep(step.work);
    ShowStatus(step.status);
    SetPosition(step.position);
  }
}

void TUninstallThread::RemoveProgramFolder() {
  ThrottledReports reports(
      *this, *this, [this] { PassGate(); }, kFileReportIntervalMs);
  DeleteInstallTree(record_.InstallDir, reports, reports);
  reports.Flush();
}
