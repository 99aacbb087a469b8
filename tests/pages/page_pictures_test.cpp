// The frame pictures of the pages, read from the screen: "Title.bmp" and "Left.bmp" of the
// language's folder (or the English one), as BMP or as their ".png" twin, and the white band with
// the title text on the pages that carry one when there is no title picture. The pictures are
// written by Pillow at build time (data/make_pictures.py).
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <richedit.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "main/create_forms.h"
#include "pages/ask_install_page.h"
#include "pages/ask_upgrade_page.h"
#include "pages/cancelled_page.h"
#include "pages/eula_page.h"
#include "pages/finish_page.h"
#include "pages/install_page.h"
#include "pages/uninstall_page.h"
#include "pages/welcome_page.h"
#include "tests/pages/built_pages.h"
#include "tests/pages/licence_files.h"
#include "util/file_bytes.h"
#include "util/folder_operations.h"
#include "winfx/application.h"
#include "winfx/dpi.h"

namespace {

using namespace std::chrono_literals;
using testing_support::TestProgramFolder;

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Picture files copied from the build's fixtures into language folders beside the program. The
// language folders are emptied first (what an interrupted run left) and removed at the end.
class PictureFiles {
 public:
  static constexpr const wchar_t* kLanguages[] = {L"English", L"German", L"ChineseT"};
  PictureFiles() { Clear(); }
  ~PictureFiles() { Clear(); }
  PictureFiles(const PictureFiles&) = delete;
  PictureFiles& operator=(const PictureFiles&) = delete;

  void Place(const std::wstring& fixture, const std::wstring& language, const std::wstring& name) {
    const std::wstring folder = TestProgramFolder() + language;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(::CopyFileW((TestProgramFolder() + L"fixtures\\" + fixture).c_str(),
                            (folder + L"\\" + name).c_str(), FALSE))
        << "fixture missing";
  }

 private:
  static void Clear() {
    for (const wchar_t* language : kLanguages) {
      const std::wstring folder = TestProgramFolder() + language + L"\\";
      if (!FolderExists(folder)) continue;
      ClearFolderTree(folder, nullptr, nullptr);
      ::RemoveDirectoryW(folder.c_str());
    }
  }
};

// Draws the page now and reads one pixel of a control from the screen, where the window shows.
COLORREF ScreenPixel(winfx::TForm& page, HWND control, int x, int y) {
  ::RedrawWindow(page.Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ::GdiFlush();
  POINT point{x, y};
  ::ClientToScreen(control, &point);
  HDC screen = ::GetDC(nullptr);
  const COLORREF colour = ::GetPixel(screen, point.x, point.y);
  ::ReleaseDC(nullptr, screen);
  return colour;
}

// Pumps messages and asks `shown` until it holds, within a bound: the display may lag behind the
// drawing.
bool ShownWithinBound(const std::function<bool()>& shown) {
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  do {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    if (shown()) return true;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  } while (std::chrono::steady_clock::now() < deadline);
  return false;
}

// The pixel once it shows `expected`, or what it shows when the bound has passed.
COLORREF PixelOnceShown(winfx::TForm& page, HWND control, int x, int y, COLORREF expected) {
  COLORREF colour = CLR_INVALID;
  ShownWithinBound([&] {
    colour = ScreenPixel(page, control, x, y);
    return colour == expected;
  });
  return colour;
}

// Whether a dark pixel (text) shows within the control's first `width` columns.
bool DarkPixelOnceShown(winfx::TForm& page, HWND control, int width) {
  RECT area;
  ::GetClientRect(control, &area);
  area.right = std::min<LONG>(area.right, width);
  return ShownWithinBound([&] {
    ScreenPixel(page, control, 0, 0);  // drawn now
    HDC screen = ::GetDC(nullptr);
    bool dark = false;
    for (int y = 0; y < area.bottom && !dark; ++y) {
      for (int x = 0; x < area.right && !dark; ++x) {
        POINT point{x, y};
        ::ClientToScreen(control, &point);
        dark = GetRValue(::GetPixel(screen, point.x, point.y)) < 128;
      }
    }
    ::ReleaseDC(nullptr, screen);
    return dark;
  });
}

std::string Hex(COLORREF colour) {
  char text[16];
  snprintf(text, sizeof(text), "%06lX", static_cast<unsigned long>(colour));
  return text;
}

RECT BoundsInParent(HWND control) {
  RECT rect;
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

class PagePictures : public testing::Test {
 protected:
  void Build(const wchar_t* language) {
    // The pages load their pictures while they are built.
    testing_support::BuildPages(L"C:\\page-pictures-test\\Setup.ini", language);
  }
  void TearDown() override { winfx::Application.DestroyForms(); }

  // Shows the page for its picture only: a progress page does not start its work.
  static void ShowStill(winfx::TForm& page) {
    page.OnShow = nullptr;
    page.Show();
  }

  PictureFiles pictures_;
};

struct Placed {
  const wchar_t* fixture;
  const wchar_t* language;
  const wchar_t* name;
};

struct PictureCase {
  const char* name;
  const wchar_t* language;
  std::vector<Placed> files;
  std::function<winfx::TForm*()> page;
  const wchar_t* image;
  int pictureHeight;
  COLORREF top;
  COLORREF bottom;
};

class FramePicture : public PagePictures, public testing::WithParamInterface<PictureCase> {};

TEST_P(FramePicture, IsShownTheRightWayUp) {
  const PictureCase& c = GetParam();
  for (const Placed& file : c.files) pictures_.Place(file.fixture, file.language, file.name);
  Build(c.language);
  winfx::TForm& page = *c.page();
  ASSERT_TRUE(page.HasPicture(c.image));
  ShowStill(page);
  HWND image = page.Control(c.image).Handle;
  RECT client;
  ::GetClientRect(image, &client);
  const int x = client.right / 2;
  const int middle = client.bottom / 2;
  const COLORREF top = PixelOnceShown(page, image, x, middle - c.pictureHeight / 4, c.top);
  const COLORREF bottom = PixelOnceShown(page, image, x, middle + c.pictureHeight / 4, c.bottom);
  EXPECT_EQ(top, c.top) << "top half " << Hex(top);
  EXPECT_EQ(bottom, c.bottom) << "bottom half " << Hex(bottom);
  if (std::wstring(c.image) == L"im_Title") {
    // Sized to the picture, at the right end of the band; a title text stays hidden.
    const RECT bounds = BoundsInParent(image);
    RECT band;
    ::GetClientRect(page.Control(L"p_Top").Handle, &band);
    EXPECT_EQ(bounds.right - bounds.left, 100);
    EXPECT_EQ(bounds.bottom - bounds.top, 65);
    EXPECT_EQ(bounds.right, band.right);
    if (page.Has(L"lb_Title")) {
      EXPECT_FALSE(page.Control(L"lb_Title").Visible());
    }
  }
}

const PictureCase kPictureCases[] = {
    {"TitleBmpOnTheReadyPage",
     L"English",
     {{L"title-bmp.bmp", L"English", L"Title.bmp"}},
     [] { return FAskInstall; },
     L"im_Title",
     65,
     kBlue,
     kYellow},
    {"TitlePngOnTheLicencePage",
     L"English",
     {{L"title-png.png", L"English", L"Title.png"}},
     [] { return FEULA; },
     L"im_Title",
     65,
     kGreen,
     kRed},
    {"PngTwinPreferredOnTheInstallPage",
     L"English",
     {{L"title-bmp.bmp", L"English", L"Title.bmp"}, {L"title-png.png", L"English", L"Title.png"}},
     [] { return FInstall; },
     L"im_Title",
     65,
     kGreen,
     kRed},
    {"LanguageFolderBeforeEnglishOnTheUninstallPage",
     L"German",
     {{L"title-bmp.bmp", L"German", L"Title.bmp"}, {L"title-png.png", L"English", L"Title.png"}},
     [] { return FUninstall; },
     L"im_Title",
     65,
     kBlue,
     kYellow},
    {"EnglishWhenTheLanguageHasNone",
     L"German",
     {{L"title-png.png", L"English", L"Title.png"}},
     [] { return FAskUpgradeAndRepair; },
     L"im_Title",
     65,
     kGreen,
     kRed},
    {"LeftBmpOnTheWelcomePage",
     L"English",
     {{L"left-bmp.bmp", L"English", L"Left.bmp"}},
     [] { return FWelcome; },
     L"im_Left",
     200,
     kBlue,
     kYellow},
    {"LeftPngOnTheFinishPage",
     L"ChineseT",
     {{L"left-png.png", L"ChineseT", L"Left.png"}},
     [] { return FFinish; },
     L"im_Left",
     200,
     kGreen,
     kRed},
};

INSTANTIATE_TEST_SUITE_P(Pictures, FramePicture, testing::ValuesIn(kPictureCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct MissingCase {
  const char* name;
  std::function<winfx::TForm*()> page;
  int width;
};

class MissingTitle : public PagePictures, public testing::WithParamInterface<MissingCase> {};

TEST_P(MissingTitle, GivesAWhiteBandWithTheTitleText) {
  Build(L"English");
  winfx::TForm& page = *GetParam().page();
  ASSERT_FALSE(page.HasPicture(L"im_Title"));
  ShowStill(page);
  HWND title = page.Control(L"lb_Title").Handle;
  EXPECT_TRUE(page.Control(L"lb_Title").Visible());
  const RECT label = BoundsInParent(title);
  EXPECT_EQ(label.left, 30);
  EXPECT_EQ(label.top, 26);
  HWND image = page.Control(L"im_Title").Handle;
  const RECT band = BoundsInParent(image);
  EXPECT_EQ(band.left, 0);
  EXPECT_EQ(band.right - band.left, GetParam().width);
  EXPECT_EQ(band.bottom - band.top, 65);
  for (const POINT& at : {POINT{5, 5}, POINT{GetParam().width - 5, 60}, POINT{20, 40}}) {
    const COLORREF colour = PixelOnceShown(page, image, at.x, at.y, kWhite);
    EXPECT_EQ(colour, kWhite) << at.x << ", " << at.y << ": " << Hex(colour);
  }
  // The title text is drawn over the white band, not hidden behind it.
  EXPECT_TRUE(DarkPixelOnceShown(page, title, 60)) << "no title text in the band";
}

const MissingCase kMissingCases[] = {
    {"ReadyPage", [] { return FAskInstall; }, 554},
    {"InstallPage", [] { return FInstall; }, 554},
    {"UninstallPage", [] { return FUninstall; }, 552},
};

INSTANTIATE_TEST_SUITE_P(Pages, MissingTitle, testing::ValuesIn(kMissingCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PagePictures, MissingPicturesLeaveOtherPagesEmpty) {
  Build(L"English");
  EXPECT_FALSE(FEULA->HasPicture(L"im_Title"));
  EXPECT_FALSE(FEULA->Has(L"lb_Title"));
  EXPECT_FALSE(FAskUpgradeAndRepair->HasPicture(L"im_Title"));
  EXPECT_FALSE(FWelcome->HasPicture(L"im_Left"));
  EXPECT_FALSE(FCancel->HasPicture(L"im_Left"));
}

}  // namespace

namespace {

constexpr COLORREF kMagenta = RGB(200, 0, 200);
constexpr COLORREF kTeal = RGB(0, 160, 160);
constexpr COLORREF kOrange = RGB(255, 128, 0);

// Of a picture and its twin for 200 %, the one nearest the screen's scale is shown, at the size
// the scale gives: the usual one at 100 %, the twin at 200 % and, made smaller, at 150 %.
TEST_F(PagePictures, TwinNearestTheScaleIsShown) {
  pictures_.Place(L"title-bmp.bmp", L"English", L"Title.bmp");
  pictures_.Place(L"title-2x.png", L"English", L"Title@2x.png");
  Build(L"English");
  winfx::TForm& page = *FAskInstall;
  ShowStill(page);
  const UINT dpi = page.Dpi();
  if (const char* asked = std::getenv("SETUP_WINE_DPI")) EXPECT_EQ(dpi, std::atoi(asked));
  const bool twin = dpi >= 144;
  EXPECT_EQ(page.PictureFileShown(L"im_Title").ends_with(L"\\Title@2x.png"), twin)
      << "at " << dpi << " DPI";
  HWND image = page.Control(L"im_Title").Handle;
  const RECT bounds = BoundsInParent(image);
  EXPECT_EQ(bounds.right - bounds.left, winfx::Scaled(100, dpi));
  EXPECT_EQ(bounds.bottom - bounds.top, winfx::Scaled(65, dpi));
  const int x = (bounds.right - bounds.left) / 2;
  const int height = bounds.bottom - bounds.top;
  const COLORREF top = PixelOnceShown(page, image, x, height / 4, twin ? kMagenta : kBlue);
  const COLORREF bottom = PixelOnceShown(page, image, x, height * 3 / 4, twin ? kTeal : kYellow);
  EXPECT_EQ(top, twin ? kMagenta : kBlue) << Hex(top);
  EXPECT_EQ(bottom, twin ? kTeal : kYellow) << Hex(bottom);
}

// Without a twin the usual picture is enlarged smoothly: where its halves meet there are pixels of
// neither colour, which enlarging by repeating pixels never gives.
TEST_F(PagePictures, UsualPictureIsEnlargedSmoothly) {
  pictures_.Place(L"title-bmp.bmp", L"English", L"Title.bmp");
  Build(L"English");
  winfx::TForm& page = *FAskInstall;
  const UINT dpi = page.Dpi();
  if (dpi == winfx::kDesignDpi) GTEST_SKIP() << "nothing to enlarge at 96 DPI";
  ShowStill(page);
  HWND image = page.Control(L"im_Title").Handle;
  const RECT bounds = BoundsInParent(image);
  EXPECT_EQ(bounds.bottom - bounds.top, winfx::Scaled(65, dpi));
  const int seam = winfx::Scaled(65, dpi) / 2;
  const int x = (bounds.right - bounds.left) / 2;
  ASSERT_EQ(PixelOnceShown(page, image, x, 2, kBlue), kBlue);
  bool blended = false;
  for (int y = seam - 3; y <= seam + 3 && !blended; ++y) {
    const COLORREF colour = ScreenPixel(page, image, x, y);
    blended = colour != kBlue && colour != kYellow;
  }
  EXPECT_TRUE(blended) << "only the two colours of the picture around its middle";
}

// Arabic and Persian: every window is mirrored, Cancel lies left of Next, and the title picture
// keeps its orientation (its left half stays at the left).
class MirroredPages : public PagePictures {
 protected:
  void TearDown() override {
    PagePictures::TearDown();
    winfx::Application.SetRightToLeft(false);
  }
};

TEST_F(MirroredPages, ArabicMirrorsEveryWindowButNotThePictures) {
  pictures_.Place(L"title-sides.bmp", L"English", L"Title.bmp");
  winfx::Application.SetRightToLeft(true);
  Build(L"Arabic");
  for (winfx::TForm* form : std::initializer_list<winfx::TForm*>{FWelcome, FEULA, FAskInstall,
                                                                 FInstall, FFinish, FCancel}) {
    EXPECT_TRUE(::GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL)
        << std::string(form->Name.begin(), form->Name.end());
    RECT next;
    RECT cancel;
    if (!form->Has(L"bt_Next")) continue;
    ::GetWindowRect(form->Control(L"bt_Next").Handle, &next);
    ::GetWindowRect(form->Control(L"bt_Cancel").Handle, &cancel);
    EXPECT_LT(cancel.right, next.left) << std::string(form->Name.begin(), form->Name.end());
  }
  winfx::TForm& page = *FAskInstall;
  ShowStill(page);
  HWND image = page.Control(L"im_Title").Handle;
  RECT onScreen;
  ::GetWindowRect(image, &onScreen);
  RECT band;
  ::GetWindowRect(page.Control(L"p_Top").Handle, &band);
  EXPECT_EQ(onScreen.left, band.left) << "the picture sits at the mirrored end of the band";
  // Screen coordinates: the picture's left quarter is its left half's colour.
  const int width = onScreen.right - onScreen.left;
  COLORREF left = CLR_INVALID;
  COLORREF right = CLR_INVALID;
  ShownWithinBound([&] {
    ScreenPixel(page, image, 0, 0);  // drawn now
    HDC screen = ::GetDC(nullptr);
    left = ::GetPixel(screen, onScreen.left + width / 4, onScreen.top + 30);
    right = ::GetPixel(screen, onScreen.left + width * 3 / 4, onScreen.top + 30);
    ::ReleaseDC(nullptr, screen);
    return left == kBlue && right == kOrange;
  });
  EXPECT_EQ(left, kBlue) << Hex(left);
  EXPECT_EQ(right, kOrange) << Hex(right);
}

// The licence reads in its own direction: Arabic and Persian have no licence folder, and the
// English text that stands in for theirs stays left to right; an Arabic text reads right to left.
TEST_F(MirroredPages, TheLicenceReadsInTheDirectionOfItsOwnText) {
  struct LicenceCase {
    const char* text;
    bool rightToLeft;
  };
  for (const LicenceCase& licence :
       {LicenceCase{"{\\rtf1 Kestra Capture Licence Agreement\\par 1. Kestra Software grants.}",
                    false},
        LicenceCase{"{\\rtf1\\ansi\\u1575?\\u1578?\\u1601?\\u1575?\\u1602? Kestra\\par 1.}",
                    true}}) {
    testing_support::LicenceFiles files;
    files.Write(L"en", std::string(licence.text));
    winfx::Application.SetRightToLeft(true);
    Build(L"Arabic");
    FEULA->Show();
    HWND editor = FEULA->Control(L"re_EULA").Handle;
    ASSERT_FALSE(FEULA->Control(L"re_EULA").Caption().empty()) << licence.text;
    PARAFORMAT2 format{};
    format.cbSize = sizeof(format);
    ::SendMessageW(editor, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ((format.wEffects & PFE_RTLPARA) != 0, licence.rightToLeft) << licence.text;
    EXPECT_EQ((::GetWindowLongPtrW(editor, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0,
              licence.rightToLeft)
        << licence.text;
    winfx::Application.DestroyForms();
  }
}

// The progress bar of a mirrored page fills from the right: half way, its right end shows the
// bar and its left end the empty track.
TEST_F(MirroredPages, ProgressBarFillsFromTheRight) {
  winfx::Application.SetRightToLeft(true);
  Build(L"Arabic");
  winfx::TForm& page = *FInstall;
  ShowStill(page);
  winfx::TControl& bar = page.Control(L"pb_Installation");
  bar.SetPosition(50);
  RECT onScreen;
  ::GetWindowRect(bar.Handle, &onScreen);
  const int y = (onScreen.top + onScreen.bottom) / 2;
  COLORREF left = CLR_INVALID;
  COLORREF right = CLR_INVALID;
  COLORREF track = CLR_INVALID;
  const bool differ = ShownWithinBound([&] {
    ScreenPixel(page, bar.Handle, 0, 0);  // drawn now
    HDC screen = ::GetDC(nullptr);
    left = ::GetPixel(screen, onScreen.left + (onScreen.right - onScreen.left) / 8, y);
    right = ::GetPixel(screen, onScreen.right - (onScreen.right - onScreen.left) / 8, y);
    ::ReleaseDC(nullptr, screen);
    return left != right;
  });
  ASSERT_TRUE(differ) << "no bar drawn: " << Hex(left);
  bar.SetPosition(0);
  ShownWithinBound([&] {
    ScreenPixel(page, bar.Handle, 0, 0);
    HDC screen = ::GetDC(nullptr);
    track = ::GetPixel(screen, onScreen.right - (onScreen.right - onScreen.left) / 8, y);
    ::ReleaseDC(nullptr, screen);
    return track == left;
  });
  EXPECT_EQ(track, left) << "the left end is the empty track; the bar is " << Hex(right);
}

TEST_F(PagePictures, GermanStaysLeftToRight) {
  Build(L"German");
  EXPECT_FALSE(::GetWindowLongPtrW(FWelcome->Handle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
  RECT next;
  RECT cancel;
  ::GetWindowRect(FWelcome->Control(L"bt_Next").Handle, &next);
  ::GetWindowRect(FWelcome->Control(L"bt_Cancel").Handle, &cancel);
  EXPECT_LT(next.right, cancel.left);
}

}  // namespace
