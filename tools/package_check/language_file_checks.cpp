#include "tools/package_check/language_file_checks.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <utility>

#include "core/language/language_table.h"
#include "core/language/licence_folder.h"
#include "core/language/localized_file_path.h"
#include "core/language/picture_size.h"
#include "core/language/scaled_pictures.h"
#include "tools/package_check/picture_checks.h"

namespace package_check {
namespace {

// The twins for larger scales ("Title@2x.png") beside the picture that the language's pages show:
// readable, and as large as the usual picture times their scale, or the pages look squeezed.
void CheckPictureTwins(const PackageFolder& package, const std::wstring& usual,
                       std::wstring_view fileName, Findings& findings) {
  const std::wstring folder = usual.substr(0, usual.find_last_of(L'\\') + 1);
  const auto usualBytes = package.ReadFile(usual);
  const auto usualSize = usualBytes ? localisation::ReadPictureSize(*usualBytes)
                                    : std::optional<localisation::PictureSize>();
  if (!usualSize) {
    findings.Add(usual, L"", L"not a BMP or PNG picture that can be read");
    return;
  }
  for (const localisation::PictureTwin& twin : localisation::LargerTwinNames(fileName)) {
    const std::wstring path = folder + twin.fileName;
    if (!package.HasFile(path)) continue;
    const auto bytes = package.ReadFile(path);
    const auto size =
        bytes ? localisation::ReadPictureSize(*bytes) : std::optional<localisation::PictureSize>();
    if (!size) {
      findings.Add(path, L"", L"not a PNG picture that can be read");
      continue;
    }
    const int width = (usualSize->width * twin.percent + 50) / 100;
    const int height = (usualSize->height * twin.percent + 50) / 100;
    if (size->width != width || size->height != height) {
      findings.Add(path, L"",
                   std::to_wstring(size->width) + L" x " + std::to_wstring(size->height) +
                       L" pixels: " + std::to_wstring(twin.percent) + L" % of " +
                       usual.substr(folder.size()) + L" is " + std::to_wstring(width) + L" x " +
                       std::to_wstring(height));
    }
  }
}

// The picture a language's pages show, as Setup.exe looks it up; the path of the file it shows
// (empty when none), with a finding when it is not the language's own.
std::wstring CheckPicture(const PackageFolder& package, const std::wstring& language,
                          std::wstring_view fileName, Findings& findings) {
  const std::wstring own = language + L"\\" + std::wstring(fileName);
  const std::wstring found = localisation::LocalizedFilePath(
      L"", language, fileName, [&](const std::wstring& path) { return package.HasFile(path); });
  if (found.empty()) {
    findings.Add(own, L"", L"missing, and no English picture to fall back on: the pages show none");
  } else if (!found.starts_with(language + L"\\")) {
    findings.Warn(own, L"",
                  L"missing (nor its .png twin): the " + language +
                      L" pages show the English picture (" + found + L")");
  }
  if (found.starts_with(language + L"\\")) CheckPictureTwins(package, found, fileName, findings);
  return found;
}

bool LooksLikeRichText(const std::vector<std::uint8_t>& bytes) {
  static constexpr std::string_view kStart = "{\\rtf";
  return bytes.size() >= kStart.size() && std::equal(kStart.begin(), kStart.end(), bytes.begin());
}

void CheckLicence(const PackageFolder& package, const std::wstring& language, Findings& findings) {
  const std::wstring english = L"EULA\\" +
                               localisation::EulaLanguageCode(localisation::kFallbackLanguage) +
                               L"\\Service.rtf";
  const std::wstring path = L"EULA\\" + localisation::EulaLanguageCode(language) + L"\\Service.rtf";
  const auto bytes = package.ReadFile(path);
  if (!bytes) {
    if (path != english && package.HasFile(english)) {
      findings.Warn(path, L"",
                    L"missing: the licence page shows " + language +
                        L" users the English licence (" + english + L")");
    } else {
      findings.Add(path, L"",
                   L"missing: the licence page shows " + language + L" users no licence");
    }
  } else if (!LooksLikeRichText(*bytes)) {
    findings.Add(path, L"", L"not rich text (it does not begin with \"{\\rtf\")");
  }
}

}  // namespace

void CheckLanguageFiles(const PackageFolder& package, const PackageSettings& settings,
                        const std::vector<std::wstring>& languages, Findings& findings) {
  if (!package.HasFile(L"English\\Application.ico")) {
    findings.Add(L"English\\Application.ico", L"", L"missing: the product's icon");
  } else {
    CheckIconFile(package, L"English\\Application.ico",
                  L"the wizard's windows and the uninstall entry: each", findings);
  }
  const bool unbranded = settings.Value(L"%PUBLISHER") == L"OEM";
  const bool hasManual = settings.Value(L"%MANULA_EXIST") == L"1";
  const std::wstring programFolder = L"program files\\" + settings.Value(L"%PROGRAM_FILES") + L"\\";
  std::set<std::wstring> checkedPictures;  // the English pictures serve several languages
  for (const std::wstring& language : languages) {
    for (const auto& [name, size] :
         {std::pair(L"Title.bmp", kTitlePictureSize), std::pair(L"Left.bmp", kSidePictureSize)}) {
      const std::wstring shown = CheckPicture(package, language, name, findings);
      if (!shown.empty() && checkedPictures.insert(shown).second) {
        CheckPictureFile(package, shown, size, findings);
      }
    }
    if (!unbranded) CheckLicence(package, language, findings);
    if (hasManual) {
      const std::wstring manual =
          programFolder + settings.Value(L"%MANUAL_DIR") + language + L".pdf";
      if (!package.HasFile(manual)) {
        findings.Add(manual, L"",
                     L"missing: %MANULA_EXIST is \"1\", so the " + language +
                         L" manual shortcut points here");
      }
    }
  }
}

}  // namespace package_check
