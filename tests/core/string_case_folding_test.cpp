#include <gtest/gtest.h>

#include "core/strings/case_folding.h"

namespace strings {
namespace {

struct FoldPair {
  wchar_t upper;
  wchar_t lower;
};

TEST(CaseFoldingTest, FoldsUpperCaseToLowerCase) {
  const FoldPair pairs[] = {
      {L'A', L'a'},           {L'Z', L'z'},           {L'\u00C0', L'\u00E0'},
      {L'\u00D6', L'\u00F6'}, {L'\u00D8', L'\u00F8'}, {L'\u00DE', L'\u00FE'},
      {L'\u0100', L'\u0101'}, {L'\u012E', L'\u012F'}, {L'\u0132', L'\u0133'},
      {L'\u0139', L'\u013A'}, {L'\u0147', L'\u0148'}, {L'\u014A', L'\u014B'},
      {L'\u0176', L'\u0177'}, {L'\u0178', L'\u00FF'}, {L'\u0179', L'\u017A'},
      {L'\u017D', L'\u017E'}, {L'\u0386', L'\u03AC'}, {L'\u0388', L'\u03AD'},
      {L'\u038C', L'\u03CC'}, {L'\u038F', L'\u03CE'}, {L'\u0391', L'\u03B1'},
      {L'\u03A3', L'\u03C3'}, {L'\u03C2', L'\u03C3'}, {L'\u03A9', L'\u03C9'},
      {L'\u0400', L'\u0450'}, {L'\u040F', L'\u045F'}, {L'\u0410', L'\u0430'},
      {L'\u042F', L'\u044F'}, {L'\u0460', L'\u0461'}, {L'\u048A', L'\u048B'},
      {L'\u04C0', L'\u04CF'}, {L'\u04C1', L'\u04C2'}, {L'\u04D0', L'\u04D1'},
      {L'\u052E', L'\u052F'}, {L'\uFF21', L'\uFF41'}, {L'\uFF3A', L'\uFF5A'},
  };
  for (const FoldPair& pair : pairs) {
    SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<unsigned>(pair.upper));
    EXPECT_EQ(FoldCase(pair.upper), pair.lower);
    EXPECT_EQ(FoldCase(pair.lower), pair.lower);
  }
}

TEST(CaseFoldingTest, LeavesCharactersWithoutSimpleFoldingAlone) {
  const wchar_t unchanged[] = {
      L'@',      L'[',      L'`',      L'{',      L'1',
      L'\u00B5', L'\u00D7', L'\u00DF', L'\u00F7', L'\u0130',
      L'\u0131', L'\u0138', L'\u0149', L'\u0385', L'\u03A2',
      L'\u04CF', L'\u4E2D', L'\uFF20', L'\uFF3B', static_cast<wchar_t>(0xD800),
      L'\uFFFD',
  };
  for (wchar_t c : unchanged) {
    SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<unsigned>(c));
    EXPECT_EQ(FoldCase(c), c);
  }
}

TEST(CaseFoldingTest, FoldsEveryCharacterOfAText) {
  EXPECT_EQ(FoldCase(std::wstring_view(L"MiXeD \u00C4\u0416 1")), L"mixed \u00E4\u0436 1");
  EXPECT_EQ(FoldCase(std::wstring_view()), L"");
}

}  // namespace
}  // namespace strings
