#include "core/upgrade/compared_result.h"

#include <optional>

#include "core/strings/split_lines.h"
#include "core/strings/text_encoding.h"

namespace upgrade {
namespace {

constexpr std::wstring_view kCopy = L"copy";
constexpr std::wstring_view kDelete = L"delete";
constexpr std::wstring_view kLineEnd = L"\r\n";

std::wstring_view KeywordOf(InstructionKind kind) {
  return kind == InstructionKind::kCopy ? kCopy : kDelete;
}

std::optional<InstructionKind> KindOf(std::wstring_view keyword) {
  if (keyword == kCopy) return InstructionKind::kCopy;
  if (keyword == kDelete) return InstructionKind::kDelete;
  return std::nullopt;
}

}  // namespace

std::vector<std::wstring> TakeOutUnencodableLines(std::vector<std::wstring>& lines,
                                                  const strings::CodePage& codePage) {
  std::vector<std::wstring> skipped;
  std::vector<std::wstring> kept;
  for (std::wstring& line : lines) {
    if (codePage.decode(codePage.encode(line)) == line) {
      kept.push_back(std::move(line));
      continue;
    }
    const std::size_t equals = line.find(L'=');
    skipped.push_back(L"skip=" + line.substr(equals == std::wstring::npos ? 0 : equals + 1));
  }
  lines = std::move(kept);
  return skipped;
}

std::wstring InstructionLine(InstructionKind kind, std::wstring_view name) {
  std::wstring line(KeywordOf(kind));
  line.push_back(L'=');
  line.append(name);
  return line;
}

std::vector<std::uint8_t> WriteComparedResult(std::span<const std::wstring> lines,
                                              const strings::CodePage& codePage) {
  std::wstring text;
  for (const std::wstring& line : lines) {
    text.append(line);
    text.append(kLineEnd);
  }
  return strings::EncodeText(text, strings::TextEncoding::kCodePage, codePage);
}

std::vector<Instruction> ParseComparedResult(std::wstring_view text) {
  std::vector<Instruction> instructions;
  for (const std::wstring& line : strings::SplitLines(text)) {
    const std::size_t equals = line.find(L'=');
    if (equals == std::wstring::npos) continue;
    const std::optional<InstructionKind> kind = KindOf(std::wstring_view(line).substr(0, equals));
    if (!kind) continue;
    instructions.push_back({*kind, line.substr(equals + 1)});
  }
  return instructions;
}

std::vector<Instruction> ReadComparedResult(std::span<const std::uint8_t> bytes,
                                            const strings::CodePage& codePage) {
  return ParseComparedResult(strings::DecodeText(bytes, codePage).text);
}

}  // namespace upgrade
