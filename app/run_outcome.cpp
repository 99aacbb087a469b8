#include "app/run_outcome.h"

#include <atomic>

namespace {

std::atomic<int> refusal{0};

}  // namespace

void RecordRefusal(int number) {
  int none = 0;
  refusal.compare_exchange_strong(none, number);
}

bool Refused() {
  return refusal.load() != 0;
}

int RefusalNumber() {
  return refusal.load();
}
