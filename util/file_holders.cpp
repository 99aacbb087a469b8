#include "util/file_holders.h"

#include <windows.h>
// After windows.h, which it needs.
#include <restartmanager.h>

namespace {

// The Restart Manager's functions, from the system folder only: the program runs elevated from a
// package folder, where a library of that name may have been planted.
struct RestartManager {
  decltype(&::RmStartSession) start = nullptr;
  decltype(&::RmRegisterResources) registerResources = nullptr;
  decltype(&::RmGetList) getList = nullptr;
  decltype(&::RmEndSession) end = nullptr;

  bool Loaded() const { return start && registerResources && getList && end; }
};

template <typename Function>
void Find(HMODULE library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

const RestartManager& Functions() {
  static const RestartManager functions = [] {
    RestartManager found;
    const HMODULE library =
        ::LoadLibraryExW(L"rstrtmgr.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (library == nullptr) return found;
    Find(library, "RmStartSession", found.start);
    Find(library, "RmRegisterResources", found.registerResources);
    Find(library, "RmGetList", found.getList);
    Find(library, "RmEndSession", found.end);
    return found;
  }();
  return functions;
}

// A Restart Manager session that ends itself.
class RestartSession {
 public:
  explicit RestartSession(const RestartManager& manager) : manager_(manager) {
    wchar_t key[CCH_RM_SESSION_KEY + 1] = {};
    started_ = manager_.start(&handle_, 0, key) == ERROR_SUCCESS;
  }
  RestartSession(const RestartSession&) = delete;
  RestartSession& operator=(const RestartSession&) = delete;
  ~RestartSession() {
    if (started_) manager_.end(handle_);
  }
  bool Started() const { return started_; }
  DWORD Handle() const { return handle_; }

 private:
  const RestartManager& manager_;
  DWORD handle_ = 0;
  bool started_ = false;
};

}  // namespace

std::optional<std::vector<std::wstring>> ProgramsHoldingFile(const std::wstring& path) {
  const RestartManager& manager = Functions();
  if (!manager.Loaded()) return std::nullopt;
  const RestartSession session(manager);
  if (!session.Started()) return std::nullopt;
  LPCWSTR files[] = {path.c_str()};
  if (manager.registerResources(session.Handle(), 1, files, 0, nullptr, 0, nullptr) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::vector<RM_PROCESS_INFO> processes(8);
  for (int attempt = 0; attempt < 3; ++attempt) {
    UINT needed = 0;
    UINT count = static_cast<UINT>(processes.size());
    DWORD reasons = 0;
    const DWORD result =
        manager.getList(session.Handle(), &needed, &count, processes.data(), &reasons);
    if (result == ERROR_MORE_DATA) {
      processes.resize(needed);
      continue;
    }
    if (result != ERROR_SUCCESS) return std::nullopt;
    std::vector<std::wstring> names;
    for (UINT i = 0; i < count; ++i) names.emplace_back(processes[i].strAppName);
    // No holder named for a file that could not be written: Windows could not tell.
    if (names.empty()) return std::nullopt;
    return names;
  }
  return std::nullopt;
}
