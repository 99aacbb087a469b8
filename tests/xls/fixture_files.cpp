#include "tests/xls/fixture_files.h"

#include <fstream>
#include <iterator>

namespace xls_fixtures {
namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

std::string Unescape(const std::string& text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      plain.push_back(text[i]);
      continue;
    }
    switch (text[++i]) {
      case 't':
        plain.push_back('\t');
        break;
      case 'n':
        plain.push_back('\n');
        break;
      case 'r':
        plain.push_back('\r');
        break;
      default:
        plain.push_back(text[i]);
    }
  }
  return plain;
}

}  // namespace

std::filesystem::path FixturePath(std::string_view name) {
  return std::filesystem::path(XLS_FIXTURE_DIR) / std::string(name);
}

std::vector<Fixture> LoadManifest() {
  std::vector<Fixture> fixtures;
  std::ifstream in(FixturePath("manifest.txt"));
  std::string line;
  while (std::getline(in, line)) {
    const std::vector<std::string> fields = SplitTabs(line);
    if (fields.size() != 5) continue;
    fixtures.push_back({fields[0], fields[1], fields[2], fields[3] == "-" ? "" : fields[3],
                        fields[4] == "oracle"});
  }
  return fixtures;
}

std::string FixtureName(const Fixture& fixture) {
  std::string name = fixture.file.substr(0, fixture.file.find('.')) + "_" + fixture.sheet;
  for (char& c : name) {
    const bool alphanumeric =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!alphanumeric) c = '_';
  }
  return name;
}

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>());
}

std::wstring WideFromUtf8(std::string_view utf8) {
  std::wstring wide;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t codePoint = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int k = 1; k < length && i + k < utf8.size(); ++k) {
      codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += length;
    if (sizeof(wchar_t) == 2 && codePoint >= 0x10000) {
      wide.push_back(static_cast<wchar_t>(0xD800 + ((codePoint - 0x10000) >> 10)));
      wide.push_back(static_cast<wchar_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF)));
    } else {
      wide.push_back(static_cast<wchar_t>(codePoint));
    }
  }
  return wide;
}

std::string Utf8FromWide(std::wstring_view wide) {
  std::string utf8;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t c = static_cast<char32_t>(wide[i]);
    if (sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size()) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(wide[++i]) - 0xDC00);
    }
    if (c < 0x80) {
      utf8.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
      utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      utf8.push_back(static_cast<char>(0xE0 | (c >> 12)));
      utf8.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      utf8.push_back(static_cast<char>(0xF0 | (c >> 18)));
      utf8.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return utf8;
}

std::vector<std::vector<std::wstring>> ReadExpectedRows(std::string_view name) {
  std::vector<std::vector<std::wstring>> rows;
  std::ifstream in(FixturePath(name), std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::wstring>& row = rows.emplace_back();
    for (const std::string& field : SplitTabs(line)) row.push_back(WideFromUtf8(Unescape(field)));
  }
  return rows;
}

std::string ErrorName(xls::ReadError error) {
  switch (error) {
    case xls::ReadError::kNone:
      return "kNone";
    case xls::ReadError::kNotCompoundFile:
      return "kNotCompoundFile";
    case xls::ReadError::kCorruptCompoundFile:
      return "kCorruptCompoundFile";
    case xls::ReadError::kNoWorkbookStream:
      return "kNoWorkbookStream";
    case xls::ReadError::kUnsupportedFormat:
      return "kUnsupportedFormat";
    case xls::ReadError::kEncrypted:
      return "kEncrypted";
    case xls::ReadError::kCorruptWorkbook:
      return "kCorruptWorkbook";
    case xls::ReadError::kSheetMissing:
      return "kSheetMissing";
    case xls::ReadError::kSheetTooLarge:
      return "kSheetTooLarge";
  }
  return "unknown";
}

}  // namespace xls_fixtures
