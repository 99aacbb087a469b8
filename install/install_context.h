// What one run of the installation works with: the worker builds it at the run's start from what
// the page that started it handed down, and hands it to each step. The steps read the settings,
// paths, texts and facts of the run from it, fill in the paths they fix, collect the record lines
// in it and report through it; nothing they do reaches the application object.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "app/app_paths.h"
#include "app/run_facts.h"
#include "app/setup_settings.h"
#include "app/worker_thread.h"
#include "util/progress_sink.h"
#include "util/setup_log.h"

// Where a step's status texts and bar positions go: the install page, through its worker.
struct InstallReporter {
  StatusSink& status;
  ProgressSink& progress;
};

struct InstallContext {
  // Section "Setup" of Setup.ini as it was when the run began.
  SetupSettings settings;
  // The paths start-up and the preparation window set, as the run began. The steps fill in the
  // updater folder (CopyFiles), the uninstaller (WriteRegOnUninstallFolder), the shortcut paths
  // (CreateLinks) and the macro backup folder (BackupScriptsMacros), each read by later steps.
  STRUCT_AppPath paths;
  // The run's texts, language, product name, mode and verdict.
  RunFacts facts;
  // The record lines of the registry steps, in step order; WriteRecordFile writes them out.
  std::vector<std::wstring> recordList;
  InstallReporter reporter;
  // Passed between operations: a paused run holds there.
  PauseGate gate;
  // Payload files that could not be copied, and steps that broke off or could not do their work:
  // the installation is not complete unless both stay 0.
  std::size_t filesNotCopied = 0;
  int stepsBrokenOff = 0;

  std::wstring Setting(const std::wstring& key, const std::wstring& defaultValue = L"") const {
    return settings.Value(key, defaultValue);
  }
  std::wstring Text(std::wstring_view section, std::wstring_view identifier) const {
    return facts.Text(section, identifier);
  }
  void PassGate() const {
    if (gate) gate();
  }
  // Runs one step (see ::RunStep), counting it when it broke off.
  void RunStep(const std::wstring& stepName, const std::function<void()>& step) {
    if (!::RunStep(stepName, step)) ++stepsBrokenOff;
  }
  // A step that goes on but could not do all of its work (a key the registry refused, a record
  // file not written): logged, and the installation is not complete.
  void StepFailed(const std::wstring& what) {
    LogLine(L"failed: " + what);
    ++stepsBrokenOff;
  }
  void ShowStatus(const std::wstring& text) { reporter.status.ShowStatus(text); }
  void SetPosition(int position) { reporter.progress.SetPosition(position); }
};
