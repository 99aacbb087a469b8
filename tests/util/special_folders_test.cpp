// Special folders as the shell of the Wine prefix reports them to a 32-bit program, and the
// CSIDL names of the settings file.
#include "util/special_folders.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <string>

#include "tests/util/test_files.h"

namespace {

TEST(CsidlFromName, KnowsTheNamesExactly) {
  const struct {
    std::wstring name;
    int csidl;
  } cases[] = {
      {L"CSIDL_COMMON_TEMPLATES", 45},
      {L"csidl_common_templates", 0},
      {L" CSIDL_COMMON_TEMPLATES", 0},
      {L"CSIDL_COMMON_TEMPLATES ", 0},
      {L"CSIDL_COMMON", 0},
      {L"CSIDL_MYDOCUMENTS", 12},
      {L"CSIDL_PERSONAL", 5},
      {L"CSIDL_FLAG_CREATE", 0x8000},
      {L"CSIDL_DESKTOP", 0},
      {L"", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CsidlFromName(c.name), c.csidl) << testing::PrintToString(c.name);
  }
}

TEST(CsidlFromName, GivesTheValuesOfTheShellHeader) {
  // Where this SDK's shlobj.h has the constant, its value; the others from the Windows SDK.
  const struct {
    const wchar_t* name;
    int csidl;
  } names[] = {
      {L"CSIDL_FLAG_CREATE", CSIDL_FLAG_CREATE},
      {L"CSIDL_ADMINTOOLS", CSIDL_ADMINTOOLS},
      {L"CSIDL_ALTSTARTUP", CSIDL_ALTSTARTUP},
      {L"CSIDL_APPDATA", CSIDL_APPDATA},
      {L"CSIDL_BITBUCKET", CSIDL_BITBUCKET},
      {L"CSIDL_CDBURN_AREA", CSIDL_CDBURN_AREA},
      {L"CSIDL_COMMON_ADMINTOOLS", CSIDL_COMMON_ADMINTOOLS},
      {L"CSIDL_COMMON_ALTSTARTUP", CSIDL_COMMON_ALTSTARTUP},
      {L"CSIDL_COMMON_APPDATA", CSIDL_COMMON_APPDATA},
      {L"CSIDL_COMMON_DESKTOPDIRECTORY", CSIDL_COMMON_DESKTOPDIRECTORY},
      {L"CSIDL_COMMON_DOCUMENTS", CSIDL_COMMON_DOCUMENTS},
      {L"CSIDL_COMMON_FAVORITES", CSIDL_COMMON_FAVORITES},
      {L"CSIDL_COMMON_MUSIC", CSIDL_COMMON_MUSIC},
      {L"CSIDL_COMMON_PICTURES", CSIDL_COMMON_PICTURES},
      {L"CSIDL_COMMON_PROGRAMS", CSIDL_COMMON_PROGRAMS},
      {L"CSIDL_COMMON_STARTMENU", CSIDL_COMMON_STARTMENU},
      {L"CSIDL_COMMON_STARTUP", CSIDL_COMMON_STARTUP},
      {L"CSIDL_COMMON_TEMPLATES", CSIDL_COMMON_TEMPLATES},
      {L"CSIDL_COMMON_VIDEO", CSIDL_COMMON_VIDEO},
      {L"CSIDL_COMPUTERSNEARME", CSIDL_COMPUTERSNEARME},
      {L"CSIDL_CONNECTIONS", CSIDL_CONNECTIONS},
      {L"CSIDL_CONTROLS", CSIDL_CONTROLS},
      {L"CSIDL_COOKIES", CSIDL_COOKIES},
      {L"CSIDL_DESKTOP", CSIDL_DESKTOP},
      {L"CSIDL_DESKTOPDIRECTORY", CSIDL_DESKTOPDIRECTORY},
      {L"CSIDL_DRIVES", CSIDL_DRIVES},
      {L"CSIDL_FAVORITES", CSIDL_FAVORITES},
      {L"CSIDL_FLAG_DONT_UNEXPAND", CSIDL_FLAG_DONT_UNEXPAND},
      {L"CSIDL_FLAG_DONT_VERIFY", CSIDL_FLAG_DONT_VERIFY},
      {L"CSIDL_FONTS", CSIDL_FONTS},
      {L"CSIDL_HISTORY", CSIDL_HISTORY},
      {L"CSIDL_INTERNET", CSIDL_INTERNET},
      {L"CSIDL_INTERNET_CACHE", CSIDL_INTERNET_CACHE},
      {L"CSIDL_LOCAL_APPDATA", CSIDL_LOCAL_APPDATA},
      {L"CSIDL_MYDOCUMENTS", 0x000C},  // the header now maps it to CSIDL_PERSONAL
      {L"CSIDL_MYMUSIC", CSIDL_MYMUSIC},
      {L"CSIDL_MYPICTURES", CSIDL_MYPICTURES},
      {L"CSIDL_MYVIDEO", CSIDL_MYVIDEO},
      {L"CSIDL_NETHOOD", CSIDL_NETHOOD},
      {L"CSIDL_NETWORK", CSIDL_NETWORK},
      {L"CSIDL_PERSONAL", CSIDL_PERSONAL},
      {L"CSIDL_PHOTOALBUMS", 0x0045},
      {L"CSIDL_PLAYLISTS", 0x003F},
      {L"CSIDL_PRINTERS", CSIDL_PRINTERS},
      {L"CSIDL_PRINTHOOD", CSIDL_PRINTHOOD},
      {L"CSIDL_PROFILE", CSIDL_PROFILE},
      {L"CSIDL_PROGRAM_FILES", CSIDL_PROGRAM_FILES},
      {L"CSIDL_PROGRAM_FILES_COMMON", CSIDL_PROGRAM_FILES_COMMON},
      {L"CSIDL_PROGRAMS", CSIDL_PROGRAMS},
      {L"CSIDL_RECENT", CSIDL_RECENT},
      {L"CSIDL_RESOURCES", CSIDL_RESOURCES},
      {L"CSIDL_SAMPLE_MUSIC", 0x0040},
      {L"CSIDL_SAMPLE_PLAYLISTS", 0x0041},
      {L"CSIDL_SAMPLE_PICTURES", 0x0042},
      {L"CSIDL_SAMPLE_VIDEOS", 0x0043},
      {L"CSIDL_SENDTO", CSIDL_SENDTO},
      {L"CSIDL_STARTMENU", CSIDL_STARTMENU},
      {L"CSIDL_STARTUP", CSIDL_STARTUP},
      {L"CSIDL_SYSTEM", CSIDL_SYSTEM},
      {L"CSIDL_TEMPLATES", CSIDL_TEMPLATES},
      {L"CSIDL_WINDOWS", CSIDL_WINDOWS},
  };
  static_assert(std::size(names) == 61);
  for (const auto& entry : names) EXPECT_EQ(CsidlFromName(entry.name), entry.csidl) << entry.name;
}

TEST(GetSpecialFolder, GivesTheFoldersOfAThirtyTwoBitProgramWithoutTrailingSeparator) {
  const struct {
    int csidl;
    std::wstring path;
  } cases[] = {
      {CSIDL_PROGRAM_FILES, L"C:\\Program Files (x86)"},
      {CSIDL_COMMON_PROGRAMS, L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"},
      {CSIDL_COMMON_TEMPLATES, L"C:\\ProgramData\\Microsoft\\Windows\\Templates"},
      {CsidlFromName(L"CSIDL_COMMON_TEMPLATES"), L"C:\\ProgramData\\Microsoft\\Windows\\Templates"},
      {0x00FF, L""},
  };
  for (const auto& c : cases) EXPECT_EQ(GetSpecialFolder(c.csidl), c.path) << c.csidl;

  for (const int csidl : {CSIDL_TEMPLATES, CSIDL_COMMON_DESKTOPDIRECTORY}) {
    const std::wstring folder = GetSpecialFolder(csidl);
    EXPECT_TRUE(test_files::IsFolder(folder)) << csidl << " " << testing::PrintToString(folder);
    EXPECT_NE(folder.back(), L'\\');
  }
}

TEST(GetSpecialFolder, GivesNothingForAMissingFolderAndDoesNotCreateIt) {
  // Where the folder would be, asked for without the check that it exists.
  wchar_t path[MAX_PATH] = {};
  ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_CDBURN_AREA | CSIDL_FLAG_DONT_VERIFY, nullptr,
                               SHGFP_TYPE_CURRENT, path),
            S_OK);
  ASSERT_EQ(test_files::Attributes(path), INVALID_FILE_ATTRIBUTES) << "missing in a new prefix";
  EXPECT_EQ(GetSpecialFolder(CSIDL_CDBURN_AREA), L"");
  EXPECT_EQ(test_files::Attributes(path), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
