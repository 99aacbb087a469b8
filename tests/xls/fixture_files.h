// The fixtures written by make_fixtures.py and helpers to read them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/xls/sheet.h"

namespace xls_fixtures {

struct Fixture {
  std::string file;
  std::string sheet;
  std::string error;     // "kNone", "kEncrypted", ...
  std::string expected;  // file of the expected texts, or empty
  bool oracle = false;   // whether FreeXL must agree
};

inline void PrintTo(const Fixture& fixture, std::ostream* out) {
  *out << fixture.file << " sheet " << fixture.sheet;
}

std::filesystem::path FixturePath(std::string_view name);

// The lines of manifest.txt.
std::vector<Fixture> LoadManifest();

// For test names: "languages.xls" and "Install" give "languages_Install".
std::string FixtureName(const Fixture& fixture);

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

// The expected texts, header row first.
std::vector<std::vector<std::wstring>> ReadExpectedRows(std::string_view name);

std::string ErrorName(xls::ReadError error);

}  // namespace xls_fixtures
