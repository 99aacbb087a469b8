// The shared string table (SST) that LABELSST cells refer to.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/xls/biff_records.h"
#include "core/xls/sheet.h"

namespace xls {

// Reads the strings of the SST record `sst` and of the CONTINUE records after it in `records`.
// A table that ends between two strings is accepted; one that ends inside a string is not.
ReadError ReadSharedStrings(std::span<const std::uint8_t> sst, BiffRecordReader& records,
                            std::vector<std::wstring>& strings);

}  // namespace xls
