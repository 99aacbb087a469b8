// Collects cell texts by position and lays them out as a Sheet: row 0 gives the column names,
// the rows after it the records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/xls/sheet.h"

namespace xls {

class CellGrid {
 public:
  static constexpr std::size_t kMaxColumns = 256;

  // At most `maxCells` cells, rows times columns, empty ones included.
  explicit CellGrid(std::size_t maxCells) : maxCells_(maxCells) {}

  void ReserveRows(std::size_t count) { rows_.reserve(count); }

  // A later text at the same position replaces the earlier one. `column` < kMaxColumns.
  // Returns false, storing nothing, when the sheet would grow beyond the most cells allowed.
  bool Set(std::uint16_t row, std::uint16_t column, std::wstring text);

  // Moves the cells into `sheet` and leaves the grid empty.
  void TakeSheet(Sheet& sheet);

 private:
  std::size_t maxCells_;
  std::vector<std::vector<std::wstring>> rows_;
  std::size_t columnCount_ = 0;
};

}  // namespace xls
