// Turning the collected record lines into the sections of the record file.
#include <gtest/gtest.h>

#include "install/installation_record.h"

namespace {

TEST(ParseRecordList, KeepsSectionsAndEntriesInOrder) {
  const auto sections = ParseRecordList({
      L"before=any section",
      L"[HKEY_LOCAL_MACHINE\\Software\\A]",
      L"  Name = Value with = inside  ",
      L"",
      L"; a remark",
      L"Empty=",
      L"  [ HKEY_CURRENT_USER\\Run ]  ",
      L"Bare",
  });
  ASSERT_EQ(sections.size(), 2u);
  EXPECT_EQ(sections[0].name, L"HKEY_LOCAL_MACHINE\\Software\\A");
  ASSERT_EQ(sections[0].entries.size(), 2u);
  EXPECT_EQ(sections[0].entries[0].key, L"Name");
  EXPECT_EQ(sections[0].entries[0].value, L"Value with = inside");
  EXPECT_EQ(sections[0].entries[1].key, L"Empty");
  EXPECT_EQ(sections[0].entries[1].value, L"");
  EXPECT_EQ(sections[1].name, L"HKEY_CURRENT_USER\\Run");
  ASSERT_EQ(sections[1].entries.size(), 1u);
  EXPECT_EQ(sections[1].entries[0].key, L"Bare");
}

TEST(ParseRecordList, NothingBeforeTheFirstSection) {
  EXPECT_TRUE(ParseRecordList({L"a=1", L"b=2", L"", L";x"}).empty());
}

}  // namespace
