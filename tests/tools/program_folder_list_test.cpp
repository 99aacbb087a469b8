#include "tools/file_list/program_folder_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/strings/code_page.h"
#include "core/strings/utf_string_conversions.h"
#include "tools/file_list/sha256.h"

namespace {

namespace fs = std::filesystem;

class ProgramFolderList : public testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() /
        ("file_list_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  void Write(const fs::path& relative, const std::string& bytes) {
    fs::create_directories((folder_ / relative).parent_path());
    std::ofstream(folder_ / relative, std::ios::binary) << bytes;
  }

  std::string Read(const fs::path& relative) {
    std::ifstream in(folder_ / relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  static std::string Hash(const std::string& text) {
    return file_list::Sha256Hex(std::vector<std::uint8_t>(text.begin(), text.end()));
  }

  fs::path folder_;
};

TEST_F(ProgramFolderList, NamesWithBackslashesSortedWithoutRegardToCaseAndTheListItself) {
  Write("b.dll", "bee");
  Write("Sub/a.txt", "ay");
  Write("C.exe", "sea");
  const upgrade::FileList list = file_list::ListProgramFolder(folder_);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0].name, L"Application_FileList.txt");
  EXPECT_EQ(list[1].name, L"b.dll");
  EXPECT_EQ(list[2].name, L"C.exe");
  EXPECT_EQ(list[3].name, L"Sub\\a.txt");
  EXPECT_EQ(list[1].value, strings::Utf8ToWide(Hash("bee")));
  EXPECT_EQ(list[3].value, strings::Utf8ToWide(Hash("ay")));
}

TEST_F(ProgramFolderList, TheListsOwnValueIsTheChecksumOfTheOtherLines) {
  Write("a.txt", "one");
  const std::string others = "a.txt=" + Hash("one") + "\r\n";
  const upgrade::FileList list = file_list::ListProgramFolder(folder_);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1].name, L"Application_FileList.txt");
  EXPECT_EQ(list[1].value, strings::Utf8ToWide(Hash(others)));
}

TEST_F(ProgramFolderList, FileIsUtf8WithByteOrderMarkAndCrLf) {
  Write("Ärger.txt", "x");
  file_list::WriteProgramFolderList(folder_);
  const std::string text = Read("Application_FileList.txt");
  ASSERT_GE(text.size(), 3u);
  EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(text.find("\xC3\x84rger.txt=" + Hash("x") + "\r\n"), std::string::npos);
  EXPECT_EQ(text.find("\n", 0) - 1, text.find("\r\n", 0));
  EXPECT_EQ(text.back(), '\n');
}

TEST_F(ProgramFolderList, AnEarlierListIsReplacedNotListedByItsContent) {
  Write("a.txt", "one");
  Write("Application_FileList.txt", "stale=1\r\n");
  file_list::WriteProgramFolderList(folder_);
  const std::string first = Read("Application_FileList.txt");
  file_list::WriteProgramFolderList(folder_);
  EXPECT_EQ(Read("Application_FileList.txt"), first) << "writing again gives the same bytes";
  EXPECT_EQ(first.find("stale"), std::string::npos);
}

TEST_F(ProgramFolderList, ReadsBackAsTheUpgradeReadsIt) {
  Write("Plugins/x.kpl", "plug");
  file_list::WriteProgramFolderList(folder_);
  const std::string text = Read("Application_FileList.txt");
  const upgrade::FileList read = upgrade::ReadFileList(
      std::vector<std::uint8_t>(text.begin(), text.end()), strings::Latin1CodePage());
  EXPECT_EQ(read, file_list::ListProgramFolder(folder_));
}

}  // namespace
