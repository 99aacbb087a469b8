// make_file_list: writes "Application_FileList.txt" into a program folder, listing every file
// below it with its SHA-256 (see program_folder_list.h), for the upgrade of installed copies.
//   make_file_list PROGRAM_FOLDER
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string_view>

#include "tools/file_list/program_folder_list.h"

namespace {

constexpr char kUsage[] = "usage: make_file_list PROGRAM_FOLDER\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc != 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  if (!std::filesystem::is_directory(folder)) {
    std::fprintf(stderr, "make_file_list: %s is not a folder\n", argv[1]);
    return 2;
  }
  try {
    file_list::WriteProgramFolderList(folder);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_file_list: %s\n", error.what());
    return 1;
  }
  return 0;
}
