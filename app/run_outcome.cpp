#include "app/run_outcome.h"

#include <atomic>

namespace {

std::atomic<Refusal> refusal{Refusal::kNone};

}  // namespace

void RecordRefusal(Refusal first) {
  Refusal none = Refusal::kNone;
  refusal.compare_exchange_strong(none, first);
}

bool Refused() {
  return refusal.load() != Refusal::kNone;
}

int RefusalExitCode() {
  return ExitCode(refusal.load());
}
