#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/strings/split_lines.h"

namespace strings {
namespace {

struct SplitCase {
  std::wstring text;
  std::vector<std::wstring> lines;
};

TEST(SplitLinesTest, SplitsAtEveryKindOfLineEnd) {
  const SplitCase cases[] = {
      {L"", {}},
      {L"a", {L"a"}},
      {L"a\r\n", {L"a"}},
      {L"a\r\nb", {L"a", L"b"}},
      {L"a\nb\n", {L"a", L"b"}},
      {L"a\rb\r", {L"a", L"b"}},
      {L"a\r\nb\nc\rd", {L"a", L"b", L"c", L"d"}},
      {L"a\n\rb", {L"a", L"", L"b"}},  // LF then CR: two line ends
      {L"a\r\r\nb", {L"a", L"", L"b"}},
      {L"\n", {L""}},
      {L"\r\n\r\n", {L"", L""}},
      {L"a\n\n", {L"a", L""}},
      {std::wstring(L"a\0b\n", 4), {std::wstring(L"a\0b", 3)}},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(c.text));
    EXPECT_EQ(SplitLines(c.text), c.lines);
  }
}

TEST(SplitLinesTest, KeepsAVeryLongLineWhole) {
  const std::wstring longLine(1 << 20, L'x');
  const std::vector<std::wstring> lines = SplitLines(longLine + L"\r\nnext");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], longLine);
  EXPECT_EQ(lines[1], L"next");
}

}  // namespace
}  // namespace strings
