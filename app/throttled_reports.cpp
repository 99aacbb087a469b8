#include "app/throttled_reports.h"

#include <utility>

ThrottledReports::ThrottledReports(StatusSink& status, ProgressSink& progress, PauseGate gate,
                                   ULONGLONG intervalMs)
    : status_(status),
      progress_(progress),
      gate_(std::move(gate)),
      intervalMs_(intervalMs),
      position_(progress.Position()) {}

void ThrottledReports::ShowStatus(const std::wstring& text) {
  if (gate_) gate_();
  pendingText_ = text;
  if (Due()) PassOn();
}

void ThrottledReports::SetPosition(int position) {
  position_ = position;
  pendingPosition_ = true;
  if (Due()) PassOn();
}

void ThrottledReports::Flush() {
  PassOn();
}

bool ThrottledReports::Due() const {
  return !lastReport_ || ::GetTickCount64() - *lastReport_ >= intervalMs_;
}

void ThrottledReports::PassOn() {
  if (!pendingText_ && !pendingPosition_) return;
  if (pendingText_) status_.ShowStatus(*pendingText_);
  if (pendingPosition_) progress_.SetPosition(position_);
  pendingText_.reset();
  pendingPosition_ = false;
  lastReport_ = ::GetTickCount64();
}
