#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/language/picture_size.h"
#include "core/language/scaled_pictures.h"

namespace localisation {
namespace {

struct ChoiceCase {
  std::wstring language;
  std::set<std::wstring> existing;
  int percent;
  std::wstring expected;
};

TEST(ScaledPicturesTest, TakesOneFolderAndTheScaleNearestTheScreen) {
  const std::wstring base = L"C:\\Setup\\";
  const ChoiceCase cases[] = {
      {L"German", {L"German\\Title.bmp", L"German\\Title@2x.png"}, 100, L"German\\Title.bmp"},
      {L"German", {L"German\\Title.bmp", L"German\\Title@2x.png"}, 200, L"German\\Title@2x.png"},
      // Halfway: the larger one, made smaller.
      {L"German", {L"German\\Title.bmp", L"German\\Title@2x.png"}, 150, L"German\\Title@2x.png"},
      {L"German",
       {L"German\\Title.bmp", L"German\\Title@1.5x.png", L"German\\Title@2x.png"},
       150,
       L"German\\Title@1.5x.png"},
      {L"German", {L"German\\Title.bmp", L"German\\Title@2x.png"}, 125, L"German\\Title.bmp"},
      {L"German", {L"German\\Title.png", L"German\\Title.bmp"}, 200, L"German\\Title.png"},
      // The language's own picture is never shown beside English twins.
      {L"German", {L"German\\Title.bmp", L"English\\Title@2x.png"}, 200, L"German\\Title.bmp"},
      {L"German", {L"English\\Title.bmp", L"English\\Title@2x.png"}, 200, L"English\\Title@2x.png"},
      {L"German", {}, 200, L""},
  };
  for (const ChoiceCase& c : cases) {
    const auto pictures = ScaledPictures(base, c.language, L"Title.bmp", [&](const auto& path) {
      return path.starts_with(base) && c.existing.count(path.substr(base.size())) != 0;
    });
    const std::wstring chosen =
        pictures.empty() ? L"" : NearestScale(pictures, c.percent).path.substr(base.size());
    EXPECT_EQ(chosen, c.expected) << c.percent;
  }
}

TEST(PictureSizeTest, ReadsBmpAndPngHeaders) {
  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13,
                                   'I',  'H', 'D', 'R', 0,    0,    4,    0x54, 0, 0, 0, 130};
  EXPECT_EQ(ReadPictureSize(png), (PictureSize{1108, 130}));
  std::vector<std::uint8_t> bmp(54, 0);
  bmp[0] = 'B';
  bmp[1] = 'M';
  bmp[14] = 40;
  bmp[18] = 185;
  bmp[22] = 0xC2;  // -318: stored top down
  bmp[23] = 0xFE;
  bmp[24] = 0xFF;
  bmp[25] = 0xFF;
  EXPECT_EQ(ReadPictureSize(bmp), (PictureSize{185, 318}));
  png[13] = 'X';
  EXPECT_EQ(ReadPictureSize(png), std::nullopt);
  EXPECT_EQ(ReadPictureSize(std::vector<std::uint8_t>{'B', 'M'}), std::nullopt);
}

}  // namespace
}  // namespace localisation
