// Status texts and bar positions passed on to a page at most once per interval. Copying or removing
// a folder reports every file; each report crosses to the user-interface thread, which costs more
// than deleting a small file and shows nothing the eye could follow. The work still passes its
// gate at every report, so a pause holds it between any two files.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "util/progress_sink.h"

class ThrottledReports : public StatusSink, public ProgressSink {
 public:
  // `gate` runs at every status text; the first report goes on at once, later ones when
  // `intervalMs` has passed since the last one went on.
  ThrottledReports(StatusSink& status, ProgressSink& progress, PauseGate gate,
                   ULONGLONG intervalMs);
  ThrottledReports(const ThrottledReports&) = delete;
  ThrottledReports& operator=(const ThrottledReports&) = delete;

  void ShowStatus(const std::wstring& text) override;
  int Position() const override { return position_; }
  void SetPosition(int position) override;
  // Passes on what is still held back, status first.
  void Flush();

 private:
  bool Due() const;
  void PassOn();

  StatusSink& status_;
  ProgressSink& progress_;
  PauseGate gate_;
  ULONGLONG intervalMs_;
  std::optional<ULONGLONG> lastReport_;
  std::optional<std::wstring> pendingText_;
  bool pendingPosition_ = false;
  int position_;
};
