#include "tools/package_check/signature_check.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>
#include <vector>

#include "core/strings/utf_string_conversions.h"

extern char** environ;

namespace package_check {
namespace {

struct ToolRun {
  bool started = false;
  int exitCode = -1;
  std::string output;  // stdout and stderr together
};

ToolRun RunTool(std::vector<std::string> arguments) {
  ToolRun run;
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return run;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  if (spawned == 0) {
    char buffer[4096];
    for (;;) {
      const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
      if (got > 0) {
        run.output.append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        break;
      }
    }
  }
  close(pipeEnds[0]);
  if (spawned != 0) return run;
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  run.started = true;
  // A child that could not execute the tool ends with 127 (posix_spawnp may report it so).
  if (WIFEXITED(status) && WEXITSTATUS(status) != 127) {
    run.exitCode = WEXITSTATUS(status);
  } else if (WIFEXITED(status)) {
    run.started = false;
  }
  return run;
}

// The line of osslsigncode's report that says why the verification failed.
std::wstring Reason(const std::string& output) {
  if (output.find("unsupported input file type") != std::string::npos) {
    return L"not a Windows program that osslsigncode can read, so it carries no signature";
  }
  if (output.find("MISMATCH") != std::string::npos) {
    return L"the file was changed after it was signed (its digest does not match the signature)";
  }
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    const std::size_t at = line.find("Error: ");
    if (at != std::string::npos) {
      return L"the signature does not verify: " + strings::Utf8ToWide(line.substr(at + 7));
    }
  }
  return L"the signature does not verify (osslsigncode verify failed)";
}

}  // namespace

std::optional<std::wstring> SignatureProblem(const std::filesystem::path& program,
                                             const std::filesystem::path& trustedCertificates) {
  std::vector<std::string> arguments = {"osslsigncode", "verify"};
  if (!trustedCertificates.empty()) {
    arguments.insert(arguments.end(), {"-CAfile", trustedCertificates.string()});
  }
  arguments.insert(arguments.end(), {"-in", program.string()});
  const ToolRun run = RunTool(std::move(arguments));
  if (!run.started) return L"cannot be checked: osslsigncode is not installed";
  if (run.exitCode == 0) return std::nullopt;
  if (run.output.find("No signature found") != std::string::npos) {
    return L"not signed: Windows names an \"Unknown publisher\" when it asks to elevate it";
  }
  return Reason(run.output);
}

}  // namespace package_check
