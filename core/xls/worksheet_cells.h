// The cells of one worksheet substream.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/xls/cell_grid.h"
#include "core/xls/sheet.h"

namespace xls {

// Reads the cell records of the worksheet whose BOF record starts at `offset` in the Workbook
// stream into `grid`; on failure `grid` keeps the cells read before it. Formatted but empty
// cells (BLANK, MULBLANK) are not cells here: they neither give text nor extend the sheet.
// Shared strings are moved out of `sharedStrings` at their last use in the sheet.
ReadError ReadWorksheetCells(std::span<const std::uint8_t> stream, std::uint32_t offset,
                             std::vector<std::wstring>& sharedStrings, CellGrid& grid);

}  // namespace xls
