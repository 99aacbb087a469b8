// Times xls::ReadSheet on one workbook: reads it N times and prints the fastest and the median
// run. Usage: xls_read_bench [file.xls [sheet [runs]]]; by default the 1,001-row by 35-column
// fixture of tests/xls.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/xls/sheet.h"

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : XLS_BENCH_FIXTURE;
  const std::string sheetArgument = argc > 2 ? argv[2] : "Install";
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 200;

  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
  if (bytes.empty()) {
    std::fprintf(stderr, "cannot read %s\n", path);
    return 1;
  }
  const std::wstring sheet(sheetArgument.begin(), sheetArgument.end());

  std::vector<double> milliseconds;
  std::size_t rows = 0;
  std::size_t columns = 0;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    const xls::SheetReadResult result = xls::ReadSheet(bytes, sheet);
    const auto end = std::chrono::steady_clock::now();
    if (result.error != xls::ReadError::kNone) {
      std::fprintf(stderr, "reading %s failed: error %d\n", path, static_cast<int>(result.error));
      return 1;
    }
    rows = result.sheet.rows.size() + 1;
    columns = result.sheet.columns.size();
    milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::sort(milliseconds.begin(), milliseconds.end());
  std::printf("%s: %zu rows x %zu columns, %zu bytes\n", path, rows, columns, bytes.size());
  std::printf("%d runs: min %.3f ms, median %.3f ms\n", runs, milliseconds.front(),
              milliseconds[milliseconds.size() / 2]);
  return 0;
}
