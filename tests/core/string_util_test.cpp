#include "core/strings/string_util.h"

#include <gtest/gtest.h>

#include <string>

namespace strings {
namespace {

struct ReplaceCase {
  const wchar_t* text;
  const wchar_t* from;
  const wchar_t* to;
  const wchar_t* expected;
};

TEST(ReplaceAllTest, ReplacesEveryOccurrenceFromTheLeft) {
  const ReplaceCase cases[] = {
      {L"a%Pb%P", L"%P", L"Product", L"aProductbProduct"},
      {L"aaa", L"aa", L"b", L"ba"},   // matches do not overlap
      {L"aa", L"a", L"aa", L"aaaa"},  // replaced text is not scanned again
      {L"%p", L"%P", L"X", L"%p"},    // letter case counts
      {L"%P", L"%P", L"", L""},
      {L"abc", L"x", L"Y", L"abc"},
      {L"", L"a", L"b", L""},
      {L"abc", L"", L"X", L"abc"},  // empty pattern: nothing to replace
  };
  for (const ReplaceCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "text " << c.text << ", from " << c.from);
    EXPECT_EQ(ReplaceAll(c.text, c.from, c.to), c.expected);
  }
}

struct PathCase {
  const wchar_t* path;
  const wchar_t* expected;
};

TEST(TrailingSeparatorTest, WithAddsOneSeparatorWhereMissing) {
  const PathCase cases[] = {
      {L"C:\\Program Files", L"C:\\Program Files\\"},
      {L"C:\\Program Files\\", L"C:\\Program Files\\"},
      {L"C:", L"C:\\"},
      {L"a/", L"a/\\"},  // only the backslash is a separator
      {L"", L""},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "path " << c.path);
    EXPECT_EQ(WithTrailingSeparator(c.path), c.expected);
  }
}

TEST(TrailingSeparatorTest, WithoutRemovesOneTrailingSeparator) {
  const PathCase cases[] = {
      {L"C:\\Program Files\\", L"C:\\Program Files"},
      {L"C:\\Program Files", L"C:\\Program Files"},
      {L"a\\\\", L"a\\"},
      {L"\\", L""},
      {L"a/", L"a/"},
      {L"", L""},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "path " << c.path);
    EXPECT_EQ(WithoutTrailingSeparator(c.path), c.expected);
  }
}

TEST(ToLowerAsciiTest, LowersOnlyAsciiLetters) {
  EXPECT_EQ(ToLowerAscii(L"UNINSTALL"), L"uninstall");
  EXPECT_EQ(ToLowerAscii(L"UninstallAnyway"), L"uninstallanyway");
  EXPECT_EQ(ToLowerAscii(L"@[`{ 09"), L"@[`{ 09");
  EXPECT_EQ(ToLowerAscii(L"\u00C4\u0410Z"), L"\u00C4\u0410z");
}

struct EqualsCase {
  const wchar_t* a;
  const wchar_t* b;
  bool equal;
};

TEST(EqualsIgnoreCaseTest, FoldsLetterCase) {
  const EqualsCase cases[] = {
      {L"Setup", L"SETUP", true},
      {L"%publisher", L"%PUBLISHER", true},
      {L"\u00C4RGER", L"\u00E4rger", true},                  // Latin-1
      {L"\u0418\u041C\u042F", L"\u0438\u043C\u044F", true},  // Cyrillic
      {L"\u00C4rger", L"Arger", false},                      // no accent stripping
      {L"abc", L"abcd", false},
      {L"abcd", L"abc", false},
      {L"", L"", true},
      {L"", L"a", false},
      {L"a b", L"ab", false},
  };
  for (const EqualsCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.a << " / " << c.b);
    EXPECT_EQ(EqualsIgnoreCase(c.a, c.b), c.equal);
  }
}

TEST(TrimBlanksTest, RemovesSpacesAndTabsAtBothEnds) {
  const PathCase cases[] = {
      {L" \tab c\t ", L"ab c"},
      {L"   ", L""},
      {L"", L""},
      {L"x", L"x"},
      {L"\rx\n", L"\rx\n"},                  // line ends are not blanks
      {L"\u3000x\u00A0", L"\u3000x\u00A0"},  // nor other spaces
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "text [" << c.path << "]");
    EXPECT_EQ(TrimBlanks(c.path), c.expected);
  }
}

}  // namespace
}  // namespace strings
