#include "core/xls/cell_grid.h"

#include <algorithm>
#include <utility>

namespace xls {

bool CellGrid::Set(std::uint16_t row, std::uint16_t column, std::wstring text) {
  const std::size_t rowCount = std::max<std::size_t>(rows_.size(), row + std::size_t{1});
  const std::size_t columnCount = std::max<std::size_t>(columnCount_, column + std::size_t{1});
  if (rowCount > maxCells_ / columnCount) return false;
  rows_.resize(rowCount);
  columnCount_ = columnCount;
  std::vector<std::wstring>& cells = rows_[row];
  if (column >= cells.size()) {
    if (cells.empty()) cells.reserve(columnCount_);
    cells.resize(column + std::size_t{1});
  }
  cells[column] = std::move(text);
  return true;
}

void CellGrid::TakeSheet(Sheet& sheet) {
  sheet.columns.clear();
  sheet.rows.clear();
  if (rows_.empty()) return;
  sheet.columns = std::move(rows_[0]);
  sheet.columns.resize(columnCount_);
  sheet.rows.reserve(rows_.size() - 1);
  for (std::size_t i = 1; i < rows_.size(); ++i) {
    std::vector<std::wstring>& cells = sheet.rows.emplace_back(std::move(rows_[i]));
    cells.resize(columnCount_);
  }
  rows_.clear();
  columnCount_ = 0;
}

}  // namespace xls
