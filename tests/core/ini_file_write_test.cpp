#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini/ini_file.h"
#include "tests/core/text_bytes.h"

namespace ini {
namespace {

using text_bytes::Bytes;
std::string Text(const std::vector<std::uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

IniFile Parse(std::string_view text) {
  return IniFile::FromBytes(Bytes(text));
}

constexpr std::string_view kRecordFile =
    "; head\r\n"
    "[Setup]\r\n"
    "%A=1\r\n"
    "; keep me\r\n"
    "%B=2\r\n"
    "\r\n"
    "[Other]\r\n"
    "x=y\r\n";

struct WriteCase {
  const char* name;
  const wchar_t* section;
  const wchar_t* key;
  const wchar_t* value;
  std::string_view expected;
};

TEST(IniFileWriteTest, WritesInPlaceAndKeepsEverythingElse) {
  const WriteCase cases[] = {
      {"existing key replaced in its line", L"setup", L"%b", L"3",
       "; head\r\n[Setup]\r\n%A=1\r\n; keep me\r\n%b=3\r\n\r\n[Other]\r\nx=y\r\n"},
      {"new key after the last line of its section", L"Setup", L"%C", L"4",
       "; head\r\n[Setup]\r\n%A=1\r\n; keep me\r\n%B=2\r\n%C=4\r\n\r\n[Other]\r\nx=y\r\n"},
      {"new key in the last section", L"OTHER", L"z", L"",
       "; head\r\n[Setup]\r\n%A=1\r\n; keep me\r\n%B=2\r\n\r\n[Other]\r\nx=y\r\nz=\r\n"},
      {"new section at the end", L"HKEY_CURRENT_USER\\Run", L"Name", L"C:\\p.exe",
       "; head\r\n[Setup]\r\n%A=1\r\n; keep me\r\n%B=2\r\n\r\n[Other]\r\nx=y\r\n\r\n"
       "[HKEY_CURRENT_USER\\Run]\r\nName=C:\\p.exe\r\n\r\n"},
      {"value holding \"=\"", L"Other", L"x", L"a=b",
       "; head\r\n[Setup]\r\n%A=1\r\n; keep me\r\n%B=2\r\n\r\n[Other]\r\nx=a=b\r\n"},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    IniFile file = Parse(kRecordFile);
    file.WriteString(c.section, c.key, c.value);
    EXPECT_EQ(Text(file.Serialize()), c.expected);
  }
}

TEST(IniFileWriteTest, WritesANewFile) {
  IniFile file;
  file.WriteString(L"S", L"k", L"v");
  file.WriteString(L"S", L"k2", L"v2");
  file.WriteString(L"T", L"k", L"w");
  EXPECT_EQ(Text(file.Serialize()), "[S]\r\nk=v\r\nk2=v2\r\n\r\n[T]\r\nk=w\r\n\r\n");
}

TEST(IniFileWriteTest, AddsToASectionOfOnlyBlankLinesRightAfterItsHeader) {
  IniFile file = Parse("[S]\n\n\n[T]\n");
  file.WriteString(L"S", L"k", L"v");
  EXPECT_EQ(Text(file.Serialize()), "[S]\r\nk=v\r\n\r\n\r\n[T]\r\n");
}

TEST(IniFileWriteTest, WritesIntoTheFirstOfRepeatedSectionsAndKeys) {
  IniFile file = Parse("[S]\nk=1\nk=2\n[s]\nk=3\n");
  file.WriteString(L"S", L"K", L"new");
  EXPECT_EQ(Text(file.Serialize()), "[S]\r\nK=new\r\nk=2\r\n[s]\r\nk=3\r\n");
}

TEST(IniFileWriteTest, ReadsBackWhatWasWrittenTheWayTheFileWillReadIt) {
  IniFile file = Parse(kRecordFile);
  file.WriteString(L"Setup", L"%PADDED", L"  value  ");
  file.WriteString(L"Setup", L"%BROKEN", L"a\r\nb");
  file.WriteString(L"New", L"%EMPTY", L"");
  const IniFile& written = file;
  const IniFile reread = IniFile::FromBytes(file.Serialize());
  for (const IniFile* f : {&written, &reread}) {
    EXPECT_EQ(f->ReadString(L"Setup", L"%PADDED", L""), L"value");
    EXPECT_EQ(f->ReadString(L"Setup", L"%BROKEN", L""), L"a  b");
    EXPECT_EQ(f->ReadString(L"New", L"%EMPTY", L"none"), L"");
    EXPECT_EQ(f->ReadString(L"Setup", L"%A", L""), L"1");
  }
}

TEST(IniFileWriteTest, ErasesEverySectionOfTheName) {
  IniFile file = Parse("k=0\n[S]\nk=1\n; c\n\n[T]\nk=2\n[s]\nk=3\n");
  file.EraseSection(L"S");
  EXPECT_EQ(Text(file.Serialize()), "k=0\r\n[T]\r\nk=2\r\n");
  EXPECT_EQ(file.ReadString(L"S", L"k", L"gone"), L"gone");
  EXPECT_EQ(file.SectionNames(), std::vector<std::wstring>{L"T"});
}

TEST(IniFileWriteTest, ErasingAMissingSectionChangesNothing) {
  IniFile file = Parse(kRecordFile);
  file.EraseSection(L"Missing");
  EXPECT_EQ(Text(file.Serialize()), kRecordFile);
}

TEST(IniFileWriteTest, ReplacesTheWholeContent) {
  IniFile file = Parse(kRecordFile);
  const IniSection sections[] = {
      {L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Prog",
       {{L"DisplayName", L"Prog"}, {L"UninstallString", L"\"C:\\B\\Setup.exe\" uninstall"}}},
      {L"HKEY_LOCAL_MACHINE\\Software\\Maker\\Prog",
       {{L"LINK_DesktopExec", L""}, {L"OnlineUpdaterDir", L"C:\\P\\Updater"}}},
  };
  file.ReplaceContent(sections);
  EXPECT_EQ(
      Text(file.Serialize()),
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Prog]\r\n"
      "DisplayName=Prog\r\n"
      "UninstallString=\"C:\\B\\Setup.exe\" uninstall\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Maker\\Prog]\r\n"
      "LINK_DesktopExec=\r\n"
      "OnlineUpdaterDir=C:\\P\\Updater\r\n"
      "\r\n");
  EXPECT_EQ(file.ReadString(L"Setup", L"%A", L"gone"), L"gone");
}

TEST(IniFileWriteTest, ReplacingWithNothingEmptiesTheFile) {
  IniFile file = Parse(kRecordFile);
  file.ReplaceContent({});
  EXPECT_TRUE(file.Serialize().empty());
}

}  // namespace
}  // namespace ini
