#include "core/ini/ini_line.h"

#include <gtest/gtest.h>

#include <string>

namespace ini {
namespace {

struct LineCase {
  std::wstring line;
  LineKind kind;
  std::wstring name;
  std::wstring value;
};

TEST(IniLineTest, ReadsSectionsEntriesAndOtherLines) {
  const LineCase cases[] = {
      {L"[Setup]", LineKind::kSection, L"Setup", L""},
      {L"  [ Setup ]  ", LineKind::kSection, L"Setup", L""},
      {L"\t[Setup]\t", LineKind::kSection, L"Setup", L""},
      {L"[Setup] ; note", LineKind::kSection, L"Setup", L""},
      {L"[HKEY_LOCAL_MACHINE\\Software\\A]", LineKind::kSection, L"HKEY_LOCAL_MACHINE\\Software\\A",
       L""},
      {L"[a]b]", LineKind::kSection, L"a]b", L""},
      {L"[a=b]", LineKind::kSection, L"a=b", L""},
      {L"[]", LineKind::kSection, L"", L""},
      {L"[Setup", LineKind::kOther, L"", L""},
      {L"[key=value", LineKind::kOther, L"", L""},
      {L"%KEY=value", LineKind::kEntry, L"%KEY", L"value"},
      {L"  %KEY  =  value  ", LineKind::kEntry, L"%KEY", L"value"},
      {L"\t%KEY\t=\tvalue\t", LineKind::kEntry, L"%KEY", L"value"},
      {L"key=a=b", LineKind::kEntry, L"key", L"a=b"},
      {L"key==", LineKind::kEntry, L"key", L"="},
      {L"key=", LineKind::kEntry, L"key", L""},
      {L"key=  ", LineKind::kEntry, L"key", L""},
      {L"key=\"quoted \"", LineKind::kEntry, L"key", L"\"quoted \""},
      {L"two words = a  b", LineKind::kEntry, L"two words", L"a  b"},
      {L"# hash=1", LineKind::kEntry, L"# hash", L"1"},  // only ";" starts a comment
      {std::wstring(L"k\0x=v\0", 6), LineKind::kEntry, std::wstring(L"k\0x", 3),
       std::wstring(L"v\0", 2)},
      {L"=value", LineKind::kOther, L"", L""},
      {L"  =value", LineKind::kOther, L"", L""},
      {L"; comment=1", LineKind::kComment, L"", L""},
      {L"  ;[Setup]", LineKind::kComment, L"", L""},
      {L"", LineKind::kBlank, L"", L""},
      {L" \t ", LineKind::kBlank, L"", L""},
      {L"just text", LineKind::kOther, L"", L""},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "line " << testing::PrintToString(c.line));
    const IniLine parsed = ParseLine(c.line);
    EXPECT_EQ(parsed.kind, c.kind);
    EXPECT_EQ(parsed.name, c.name);
    EXPECT_EQ(parsed.value, c.value);
  }
}

}  // namespace
}  // namespace ini
