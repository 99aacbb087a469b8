// The instruction file an upgrade writes, "ComparedResult.txt": one line a file to copy from the
// package ("copy=" + name) or to delete from the installed folder ("delete=" + name).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/strings/code_page.h"

namespace upgrade {

inline constexpr std::wstring_view kComparedResultName = L"ComparedResult.txt";

enum class InstructionKind {
  kCopy,
  kDelete,
};

struct Instruction {
  InstructionKind kind = InstructionKind::kCopy;
  std::wstring name;  // as the list gave it, relative to the program folder

  bool operator==(const Instruction&) const = default;
};

// A name that the code page cannot hold exactly would come back from the file as another name,
// perhaps that of another file: its line is taken out of `lines` and comes back as "skip=" and
// the name, which no reader carries out.
std::vector<std::wstring> TakeOutUnencodableLines(std::vector<std::wstring>& lines,
                                                  const strings::CodePage& codePage);

// "copy=" or "delete=" followed by `name`.
std::wstring InstructionLine(InstructionKind kind, std::wstring_view name);

// The file's bytes: every line followed by CR LF, encoded with `codePage` (the system code page on
// Windows) and without a byte-order mark. Characters the code page lacks are lost the way its
// encoder loses them.
std::vector<std::uint8_t> WriteComparedResult(std::span<const std::wstring> lines,
                                              const strings::CodePage& codePage);

// Each line's instruction is the text before its first "=", "copy" or "delete" exactly as written
// here, and the name the text after it. Lines with any other instruction, and lines without "=",
// are ignored.
std::vector<Instruction> ParseComparedResult(std::wstring_view text);

// Decodes like a file list (a byte-order mark wins over `codePage`), then parses.
std::vector<Instruction> ReadComparedResult(std::span<const std::uint8_t> bytes,
                                            const strings::CodePage& codePage);

}  // namespace upgrade
