#include "uninstall/removal_sequence.h"

#include <functional>

#include "app/throttled_reports.h"
#include "app/worker_thread.h"
#include "uninstall/install_tree_removal.h"
#include "uninstall/uninstall_steps.h"

namespace {

// Often enough for the label and bar to look live, rarely enough to cost little per file.
constexpr ULONGLONG kFileReportIntervalMs = 50;

}  // namespace

bool RemoveInstallation(const UNINSTStruct_INFO& record, const std::wstring& programsFolder,
                        StatusSink& status, ProgressSink& progress, const PauseGate& passGate) {
  bool removed = true;
  const auto removeProgramFolder = [&] {
    ThrottledReports reports(status, progress, passGate, kFileReportIntervalMs);
    DeleteInstallTree(record.InstallDir, reports, reports);
    reports.Flush();
    removed = InstallTreeRemoved(record.InstallDir);
  };
  // Each status text is shown once its step is done; the texts are the same in every language.
  const struct {
    std::function<void()> work;
    const wchar_t* status;
    int position;
  } steps[] = {
      {[&] { RemoveBootValue(record); }, L"Remove Reg on Boot!", 20},
      {[&] { RemoveLinks(record, programsFolder); }, L"Remove Links!", 40},
      {removeProgramFolder, L"Remove Program Folder!", 60},
      // The two keys go together, with no gate between them: a run held and ended there leaves
      // both or neither.
      {[&] {
         if (!removed) return;
         RemoveUninstallEntry(record);
         // A key that holds no record of this product is left: the removal has not succeeded.
         if (!RemovePrivateFolder(record)) removed = false;
       },
       L"Remove Reg on Add/Remove Programs!", 80},
      {[] {}, L"Remove Reg on Program Folder!", 100},
  };
  progress.SetPosition(0);
  for (const auto& step : steps) {
    if (passGate) passGate();
    RunStep(step.status, step.work);
    status.ShowStatus(step.status);
    progress.SetPosition(step.position);
  }
  return removed;
}
