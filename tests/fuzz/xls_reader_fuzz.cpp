// Feeds arbitrary bytes to the .xls reader as a whole file. Seed it with the fixtures of
// tests/xls (build/<preset>/tests/xls/fixtures/*.xls).
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/xls/sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A small sheet limit: huge sparse sheets are legal but only exercise the allocator.
  const xls::SheetReadResult result =
      xls::ReadSheet(std::span(data, size), L"Install", {.maxCells = 1 << 16});
  // Whatever was read keeps the promised shape.
  for (const auto& row : result.sheet.rows) {
    if (row.size() != result.sheet.columns.size()) __builtin_trap();
  }
  return 0;
}
