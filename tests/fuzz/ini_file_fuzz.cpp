// Reads arbitrary bytes as an INI file, writes one key, serialises and reads the result again:
// nothing may crash or hang, the written key must read back, and whatever was readable before
// must read the same afterwards.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/ini/ini_file.h"

namespace {

// Bounds the work per input: every lookup scans the whole file.
constexpr std::size_t kSectionsChecked = 8;
constexpr std::size_t kKeysChecked = 8;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// Printable ASCII without blanks: survives every encoding and is not trimmed.
std::wstring ValueFrom(std::span<const std::uint8_t> bytes) {
  std::wstring value;
  for (std::size_t i = 0; i < bytes.size() && i < 16; ++i) {
    value.push_back(static_cast<wchar_t>(L'!' + bytes[i] % (L'~' - L'!' + 1)));
  }
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  ini::IniFile file = ini::IniFile::FromBytes(bytes);
  file.ReadString(L"Setup", L"%PUBLISHER", L"");

  const std::wstring value = ValueFrom(bytes.first(size < 16 ? size : 16));
  file.WriteString(L"Setup", L"%FUZZ_KEY", value);
  Check(file.ReadString(L"Setup", L"%FUZZ_KEY", L"missing") == value);

  const std::vector<std::uint8_t> serialized = file.Serialize();
  const ini::IniFile reread = ini::IniFile::FromBytes(serialized);
  Check(reread.encoding() == file.encoding());
  Check(reread.ReadString(L"Setup", L"%FUZZ_KEY", L"missing") == value);

  const std::vector<std::wstring> sections = file.SectionNames();
  Check(reread.SectionNames() == sections);
  for (std::size_t s = 0; s < sections.size() && s < kSectionsChecked; ++s) {
    const std::vector<std::wstring> keys = file.KeyNames(sections[s]);
    Check(reread.KeyNames(sections[s]) == keys);
    for (std::size_t k = 0; k < keys.size() && k < kKeysChecked; ++k) {
      Check(reread.ReadString(sections[s], keys[k], L"") ==
            file.ReadString(sections[s], keys[k], L""));
    }
  }
  return 0;
}
