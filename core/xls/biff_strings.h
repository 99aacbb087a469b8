// The string structures of BIFF8. Each returns false when the data ends inside the string.
#pragma once

#include <string>

#include "core/xls/continued_data.h"

namespace xls {

// 16-bit character count, option byte, characters: LABEL, RSTRING and STRING records.
bool ReadUnicodeString(ContinuedData& data, std::wstring& text);

// The same with an 8-bit count: sheet names in BOUNDSHEET records.
bool ReadShortUnicodeString(ContinuedData& data, std::wstring& text);

// A shared-string-table entry: the characters may be followed by formatting runs and by
// phonetic (Far East) data, both skipped.
bool ReadRichExtendedString(ContinuedData& data, std::wstring& text);

}  // namespace xls
