#include "core/xls/shared_strings.h"

#include <algorithm>

#include "core/xls/biff_strings.h"
#include "core/xls/continued_data.h"

namespace xls {

ReadError ReadSharedStrings(std::span<const std::uint8_t> sst, BiffRecordReader& records,
                            std::vector<std::wstring>& strings) {
  strings.clear();
  ContinuedData data(sst, records);
  std::uint32_t totalUses = 0;
  std::uint32_t uniqueCount = 0;
  if (!data.ReadU32(totalUses) || !data.ReadU32(uniqueCount)) return ReadError::kCorruptWorkbook;
  // The count comes from the file: reserve only what a table can plausibly hold.
  strings.reserve(std::min<std::uint32_t>(uniqueCount, 1 << 16));
  for (std::uint32_t i = 0; i < uniqueCount && !data.AtEnd(); ++i) {
    std::wstring& text = strings.emplace_back();
    if (!ReadRichExtendedString(data, text)) {
      strings.pop_back();
      return ReadError::kCorruptWorkbook;
    }
  }
  return ReadError::kNone;
}

}  // namespace xls
