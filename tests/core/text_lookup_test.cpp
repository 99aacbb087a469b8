#include "core/text/text_lookup.h"

#include <gtest/gtest.h>

#include <string>

namespace localisation {
namespace {

TEST(GetTextTest, NotFoundMarkerIsTwoAtSigns) {
  EXPECT_EQ(kTextNotFound, L"@@");
}

TEST(GetTextTest, WithoutStoreEverythingIsMissing) {
  EXPECT_EQ(GetText(nullptr, L"InstallWizard", L"ProductName"), L"@@");
}

TEST(GetTextTest, AnswersFromTheStore) {
  TextStore store;
  store.Set(L"InstallWizard", L"ProductName", L"Capture");
  store.Set(L"InstallWizard", L"MSG_001", L"");
  store.Set(L"InstallWizard", L"MSG_002", L"@@");

  struct Lookup {
    const wchar_t* section;
    const wchar_t* identifier;
    const wchar_t* expected;
  };
  const Lookup cases[] = {
      {L"InstallWizard", L"ProductName", L"Capture"},
      {L"INSTALLWIZARD", L"productname", L"Capture"},
      {L"InstallWizard", L"MSG_001", L""},
      {L"InstallWizard", L"MSG_002", L"@@"},
      {L"InstallWizard", L"MSG_003", L"@@"},
      {L"UNINSTALL", L"ProductName", L"@@"},
  };
  for (const Lookup& c : cases) {
    SCOPED_TRACE(testing::Message() << c.section << " / " << c.identifier);
    EXPECT_EQ(GetText(&store, c.section, c.identifier), c.expected);
  }
}

class GetTextMappingTest : public testing::Test {
 protected:
  void Section(const wchar_t* name, const wchar_t* mapping) {
    if (mapping != nullptr) store_.Set(name, L"%Mapping%", mapping);
    store_.Set(name, L"Origin", name);
  }
  std::wstring OriginAnswering(const wchar_t* section) {
    return GetText(&store_, section, L"Origin");
  }
  TextStore store_;
};

TEST_F(GetTextMappingTest, AliasIsAnsweredByItsTargetEvenForItsOwnIdentifiers) {
  Section(L"InstallWizard", nullptr);
  Section(L"Welcome", L"InstallWizard");
  store_.Set(L"InstallWizard", L"bt_Next->Caption", L"Next >");
  store_.Set(L"Welcome", L"OnlyHere", L"own text");

  EXPECT_EQ(OriginAnswering(L"Welcome"), L"InstallWizard");
  EXPECT_EQ(GetText(&store_, L"welcome", L"bt_Next->Caption"), L"Next >");
  EXPECT_EQ(GetText(&store_, L"Welcome", L"OnlyHere"), L"@@");
}

TEST_F(GetTextMappingTest, AliasesChain) {
  Section(L"A", L"B");
  Section(L"B", L"c");
  Section(L"C", nullptr);
  EXPECT_EQ(OriginAnswering(L"A"), L"C");
  EXPECT_EQ(OriginAnswering(L"B"), L"C");
}

TEST_F(GetTextMappingTest, MappingTextOfTwoAtSignsIsNoAlias) {
  Section(L"A", L"@@");
  EXPECT_EQ(OriginAnswering(L"A"), L"A");
}

TEST_F(GetTextMappingTest, EmptyMappingTextNamesTheUnnamedSection) {
  Section(L"A", L"");
  Section(L"", nullptr);
  EXPECT_EQ(OriginAnswering(L"A"), L"");
}

TEST_F(GetTextMappingTest, AliasOfAnAbsentSectionFindsNothing) {
  Section(L"A", L"Nowhere");
  EXPECT_EQ(OriginAnswering(L"A"), L"@@");
}

TEST_F(GetTextMappingTest, LoopStopsAtTheFirstRepeatedSection) {
  Section(L"Self", L"SELF");
  Section(L"A", L"B");
  Section(L"B", L"A");
  Section(L"X", L"Y");
  Section(L"Y", L"Z");
  Section(L"Z", L"y");

  struct Loop {
    const wchar_t* start;
    const wchar_t* answering;
  };
  const Loop cases[] = {
      {L"Self", L"Self"}, {L"A", L"A"}, {L"B", L"B"}, {L"X", L"Y"}, {L"Z", L"Z"},
  };
  for (const Loop& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start);
    EXPECT_EQ(OriginAnswering(c.start), c.answering);
  }
}

}  // namespace
}  // namespace localisation
