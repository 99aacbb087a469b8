// Fills a text store from arbitrary rows, aliases included (chains, loops, aliases of absent
// sections), then looks texts up and expands them. Besides crashes and hangs it checks what must
// hold for any input: the escape codes and the product-name token are gone after expansion.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/language/language_table.h"
#include "core/language/localized_file_path.h"
#include "core/text/component_text.h"
#include "core/text/text_escapes.h"
#include "core/text/text_lookup.h"
#include "core/text/text_sheet.h"
#include "core/text/text_store.h"

namespace {

using localisation::TextStore;

// Few distinct names, so that aliases often point at sections that exist and form loops.
const std::wstring kNames[] = {L"A",   L"a",         L"B",         L"InstallWizard",
                               L"",    L"%Mapping%", L"%MAPPING%", L"@@",
                               L"[A]", L"[B",        L"Ident",     L"English"};

std::wstring Text(FuzzedDataProvider& input) {
  const std::string bytes = input.ConsumeRandomLengthString(64);
  std::wstring text;
  for (const char byte : bytes) {
    // Map a few bytes onto the characters the escape codes are made of.
    switch (static_cast<unsigned char>(byte) % 16) {
      case 0:
        text += L'%';
        break;
      case 1:
        text += L'\\';
        break;
      case 2:
        text += L'B';
        break;
      case 3:
        text += L'P';
        break;
      case 4:
        text += L'R';
        break;
      default:
        text += static_cast<wchar_t>(static_cast<unsigned char>(byte));
        break;
    }
  }
  return text;
}

std::wstring Name(FuzzedDataProvider& input) {
  if (input.ConsumeBool()) return Text(input);
  return kNames[input.ConsumeIntegralInRange<std::size_t>(0, std::size(kNames) - 1)];
}

void Require(bool condition) {
  if (!condition) std::abort();
}

bool HasEscapeCode(const std::wstring& text) {
  if (text.find(L"\\\\\\\\") != std::wstring::npos) return true;
  if (text.find(L"%R1") != std::wstring::npos || text.find(L"%R2") != std::wstring::npos) {
    return true;
  }
  for (std::size_t at = text.find(L"%B"); at != std::wstring::npos; at = text.find(L"%B", at + 1)) {
    if (at + 2 < text.size() && text[at + 2] >= L'1' && text[at + 2] <= L'9') return true;
  }
  return false;
}

void CheckExpansions(const std::wstring& text, const std::wstring& productName) {
  Require(!HasEscapeCode(localisation::ExpandEscapes(text)));
  const std::wstring withName = localisation::InsertProductName(text, productName);
  if (productName.empty()) Require(withName == text);
  // A new "%P" can only form across the seams of an insertion: a "%" before a name that starts
  // with "P", or a name holding "%". Such names are the release engineer's business.
  if (!productName.empty() && productName.find(L'%') == std::wstring::npos &&
      productName.front() != L'P') {
    Require(withName.find(L"%P") == std::wstring::npos);
  }
}

void FillFromSheet(FuzzedDataProvider& input, TextStore& store) {
  xls::SheetReadResult read;
  const std::size_t columnCount = input.ConsumeIntegralInRange<std::size_t>(0, 4);
  for (std::size_t i = 0; i < columnCount; ++i) read.sheet.columns.push_back(Name(input));
  const std::size_t rowCount = input.ConsumeIntegralInRange<std::size_t>(0, 40);
  for (std::size_t r = 0; r < rowCount; ++r) {
    // Rows may be shorter than the header, as a careless reader could deliver them.
    std::vector<std::wstring> row(input.ConsumeIntegralInRange<std::size_t>(0, columnCount));
    for (std::wstring& cell : row) cell = Name(input);
    read.sheet.rows.push_back(std::move(row));
  }
  if (input.ConsumeBool()) read.error = xls::ReadError::kCorruptWorkbook;
  localisation::FillTextStore(read, Name(input), store);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  TextStore store;
  FillFromSheet(input, store);
  const std::size_t setCount = input.ConsumeIntegralInRange<std::size_t>(0, 32);
  for (std::size_t i = 0; i < setCount; ++i) {
    const std::wstring section = Name(input);
    const std::wstring identifier = Name(input);
    store.Set(section, identifier, Name(input));
  }

  const std::wstring productName = Name(input);
  while (input.remaining_bytes() > 0) {
    const std::wstring section = Name(input);
    const std::wstring identifier = Name(input);
    const std::wstring text = localisation::GetText(&store, section, identifier);
    CheckExpansions(text, productName);
    CheckExpansions(Text(input), productName);
    localisation::ComponentText(&store, section, identifier, Name(input), L"Caption");

    const auto langId = input.ConsumeIntegral<std::uint16_t>();
    const std::wstring language = localisation::LanguageNameForId(langId);
    Require(localisation::LanguageNameForId(localisation::LanguageCodeFor(language)) == language);
    const std::uint8_t existing = input.ConsumeIntegral<std::uint8_t>();
    int asked = 0;
    const std::wstring path = localisation::LocalizedFilePath(
        text, language, identifier,
        [&](const std::wstring&) { return ((existing >> asked++) & 1) != 0; });
    Require(asked <= 4 && (path.empty() == ((existing & 0x0F) == 0)));
  }
  Require(localisation::GetText(nullptr, L"A", L"A") == localisation::kTextNotFound);
  return 0;
}
