#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/language/localized_file_path.h"

namespace localisation {
namespace {

struct Lookup {
  std::wstring baseFolder;
  std::wstring language;
  std::wstring fileName;
  std::set<std::wstring> existing;
  std::wstring expected;
};

TEST(LocalizedFilePathTest, ReturnsTheFirstExistingCandidate) {
  const std::wstring base = L"C:\\Setup\\";
  const Lookup cases[] = {
      {base, L"German", L"Title.bmp", {base + L"German\\Title.bmp"}, base + L"German\\Title.bmp"},
      {base,
       L"German",
       L"Title.bmp",
       {base + L"German\\Title.bmp", base + L"German\\Title.png"},
       base + L"German\\Title.png"},
      {base,
       L"German",
       L"Title.bmp",
       {base + L"English\\Title.png", base + L"English\\Title.bmp"},
       base + L"English\\Title.png"},
      {base, L"German", L"Title.bmp", {base + L"English\\Title.bmp"}, base + L"English\\Title.bmp"},
      {base,
       L"German",
       L"Title.bmp",
       {base + L"German\\Title.bmp", base + L"English\\Title.png"},
       base + L"German\\Title.bmp"},
      {base, L"German", L"Title.bmp", {base + L"german\\title.bmp"}, L""},
      {base, L"German", L"Title.bmp", {}, L""},
      {L"C:\\Pics.bmp\\",
       L"German",
       L"Title.bmp",
       {L"C:\\Pics.png\\German\\Title.png", L"C:\\Pics.bmp\\German\\Title.bmp"},
       L"C:\\Pics.png\\German\\Title.png"},
      {L"C:\\Pics.bmp\\", L"German", L"Title.bmp", {L"C:\\Pics.bmp\\German\\Title.png"}, L""},
      {L"C:\\Pics.bmp\\",
       L"German",
       L"Title.BMP",
       {L"C:\\Pics.bmp\\German\\Title.png"},
       L"C:\\Pics.bmp\\German\\Title.png"},
      {base,
       L"German",
       L"Left.bmp.bmp",
       {base + L"German\\Left.png.png"},
       base + L"German\\Left.png.png"},
      {base, L"English", L"Left.bmp", {base + L"English\\Left.bmp"}, base + L"English\\Left.bmp"},
  };
  for (const Lookup& c : cases) {
    SCOPED_TRACE(testing::Message() << c.baseFolder << c.language << " " << c.fileName);
    const auto exists = [&](const std::wstring& path) { return c.existing.contains(path); };
    EXPECT_EQ(LocalizedFilePath(c.baseFolder, c.language, c.fileName, exists), c.expected);
  }
}

struct Order {
  std::wstring baseFolder;
  std::wstring fileName;
  std::vector<std::wstring> asked;
};

TEST(LocalizedFilePathTest, AsksForTheCandidatesInOrder) {
  const Order cases[] = {
      {L"C:\\Setup\\",
       L"Title.bmp",
       {L"C:\\Setup\\German\\Title.png", L"C:\\Setup\\German\\Title.bmp",
        L"C:\\Setup\\English\\Title.png", L"C:\\Setup\\English\\Title.bmp"}},
      // A dot in a folder name is no extension of the file.
      {L"C:\\v1.2\\",
       L"README",
       {L"C:\\v1.2\\German\\README", L"C:\\v1.2\\German\\README", L"C:\\v1.2\\English\\README",
        L"C:\\v1.2\\English\\README"}},
  };
  for (const Order& c : cases) {
    SCOPED_TRACE(testing::Message() << c.baseFolder << c.fileName);
    std::vector<std::wstring> asked;
    const auto exists = [&](const std::wstring& path) {
      asked.push_back(path);
      return false;
    };
    EXPECT_EQ(LocalizedFilePath(c.baseFolder, L"German", c.fileName, exists), L"");
    EXPECT_EQ(asked, c.asked);
  }
}

}  // namespace
}  // namespace localisation
