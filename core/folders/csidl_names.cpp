#include "core/folders/csidl_names.h"

#include <iterator>

namespace folders {
namespace {

struct CsidlName {
  std::wstring_view name;
  int csidl;
};

// The Windows SDK values, written out: several of these constants are missing from some
// SDK headers, and CSIDL_MYDOCUMENTS keeps its old number.
constexpr CsidlName kCsidlNames[] = {
    {L"CSIDL_FLAG_CREATE", 0x8000},
    {L"CSIDL_ADMINTOOLS", 48},
    {L"CSIDL_ALTSTARTUP", 29},
    {L"CSIDL_APPDATA", 26},
    {L"CSIDL_BITBUCKET", 10},
    {L"CSIDL_CDBURN_AREA", 59},
    {L"CSIDL_COMMON_ADMINTOOLS", 47},
    {L"CSIDL_COMMON_ALTSTARTUP", 30},
    {L"CSIDL_COMMON_APPDATA", 35},
    {L"CSIDL_COMMON_DESKTOPDIRECTORY", 25},
    {L"CSIDL_COMMON_DOCUMENTS", 46},
    {L"CSIDL_COMMON_FAVORITES", 31},
    {L"CSIDL_COMMON_MUSIC", 53},
    {L"CSIDL_COMMON_PICTURES", 54},
    {L"CSIDL_COMMON_PROGRAMS", 23},
    {L"CSIDL_COMMON_STARTMENU", 22},
    {L"CSIDL_COMMON_STARTUP", 24},
    {L"CSIDL_COMMON_TEMPLATES", 45},
    {L"CSIDL_COMMON_VIDEO", 55},
    {L"CSIDL_COMPUTERSNEARME", 61},
    {L"CSIDL_CONNECTIONS", 49},
    {L"CSIDL_CONTROLS", 3},
    {L"CSIDL_COOKIES", 33},
    {L"CSIDL_DESKTOP", 0},
    {L"CSIDL_DESKTOPDIRECTORY", 16},
    {L"CSIDL_DRIVES", 17},
    {L"CSIDL_FAVORITES", 6},
    {L"CSIDL_FLAG_DONT_UNEXPAND", 0x2000},
    {L"CSIDL_FLAG_DONT_VERIFY", 0x4000},
    {L"CSIDL_FONTS", 20},
    {L"CSIDL_HISTORY", 34},
    {L"CSIDL_INTERNET", 1},
    {L"CSIDL_INTERNET_CACHE", 32},
    {L"CSIDL_LOCAL_APPDATA", 28},
    {L"CSIDL_MYDOCUMENTS", 12},
    {L"CSIDL_MYMUSIC", 13},
    {L"CSIDL_MYPICTURES", 39},
    {L"CSIDL_MYVIDEO", 14},
    {L"CSIDL_NETHOOD", 19},
    {L"CSIDL_NETWORK", 18},
    {L"CSIDL_PERSONAL", 5},
    {L"CSIDL_PHOTOALBUMS", 69},
    {L"CSIDL_PLAYLISTS", 63},
    {L"CSIDL_PRINTERS", 4},
    {L"CSIDL_PRINTHOOD", 27},
    {L"CSIDL_PROFILE", 40},
    {L"CSIDL_PROGRAM_FILES", 38},
    {L"CSIDL_PROGRAM_FILES_COMMON", 43},
    {L"CSIDL_PROGRAMS", 2},
    {L"CSIDL_RECENT", 8},
    {L"CSIDL_RESOURCES", 56},
    {L"CSIDL_SAMPLE_MUSIC", 64},
    {L"CSIDL_SAMPLE_PLAYLISTS", 65},
    {L"CSIDL_SAMPLE_PICTURES", 66},
    {L"CSIDL_SAMPLE_VIDEOS", 67},
    {L"CSIDL_SENDTO", 9},
    {L"CSIDL_STARTMENU", 11},
    {L"CSIDL_STARTUP", 7},
    {L"CSIDL_SYSTEM", 37},
    {L"CSIDL_TEMPLATES", 21},
    {L"CSIDL_WINDOWS", 36},
};
static_assert(std::size(kCsidlNames) == 61);

const CsidlName* Find(std::wstring_view name) {
  for (const CsidlName& entry : kCsidlNames) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

}  // namespace

int CsidlFromName(std::wstring_view name) {
  const CsidlName* entry = Find(name);
  return entry != nullptr ? entry->csidl : 0;
}

bool IsCsidlName(std::wstring_view name) {
  return Find(name) != nullptr;
}

}  // namespace folders
