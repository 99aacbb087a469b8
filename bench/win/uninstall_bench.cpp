// Times the uninstallation worker on a record that names only a product folder (its files shown
// on the page and counted on its bar, through the page's message queue) next to a
// bare DeleteFileW walk over the same tree. Usage: uninstall_bench [files [rounds]]; by default
// 2,000 files of 100,000 bytes in 20 folders, 5 rounds. Prints the median of each and their ratio,
// and each one's minimum and median as a figure line for tools/run-benchmarks.sh.
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/worker_thread.h"
#include "bench/win/bench_payload.h"
#include "bench/win/bench_timing.h"
#include "uninstall/uninstall_thread.h"
#include "util/removal_guards.h"

namespace {

constexpr wchar_t kFinished[] = L"UNINSTALL_THREAD_FINISHED";

const std::wstring kProduct = L"C:\\uninstall-bench\\KestraBench";

// The install benchmark's payload: files of 100,000 bytes in 20 folders.
void MakeTree(int files) {
  bench::PayloadShape shape;
  shape.files = files;
  bench::MakePayload(kProduct + L"\\KestraBench", shape);
}

// The baseline: delete every file, remove every folder below the product folder.
void BareDelete(const std::wstring& folder) {
  bench::ForEachEntry(folder, [&](const std::wstring& name, bool isFolder) {
    const std::wstring path = folder + L"\\" + name;
    if (isFolder) {
      BareDelete(path);
      ::RemoveDirectoryW(path.c_str());
    } else {
      ::DeleteFileW(path.c_str());
    }
  });
}

// Runs the worker against a window that takes its reports as the page does, to the end.
void WorkerDelete(HWND page) {
  const UINT finished = ::RegisterWindowMessageW(kFinished);
  const UINT progress = ::RegisterWindowMessageW(kWorkerProgressMessage);
  UNINSTStruct_INFO record;
  record.InstallDir = kProduct;
  TUninstallThread worker(page, record, App.GetText(L"UNINSTALL", L"LINK_PROGRAMS_FOLDER"));
  worker.Start();
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == progress && message.wParam == kStatusText) {
      std::wstring text = *reinterpret_cast<std::wstring*>(message.lParam);
      delete reinterpret_cast<std::wstring*>(message.lParam);
      ::SetWindowTextW(page, text.c_str());
    }
    if (message.message == finished) break;
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int files = argc > 1 ? std::max(1, _wtoi(argv[1])) : 2000;
  const int rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
  HWND page =
      ::CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  std::vector<double> engine;
  std::vector<double> bare;
  for (int round = 0; round < rounds; ++round) {
    MakeTree(files);
    engine.push_back(bench::TimeMs([&] { WorkerDelete(page); }));
    MakeTree(files);
    bare.push_back(bench::TimeMs([&] { BareDelete(kProduct); }));
  }
  std::vector<double> guard;
  for (int round = 0; round < rounds; ++round) {
    guard.push_back(bench::TimeMs([] { (void)IsRemovableInstallDir(kProduct); }));
  }
  std::vector<double> notify;
  for (int round = 0; round < rounds; ++round) {
    notify.push_back(
        bench::TimeMs([] { ::SHChangeNotify(SHCNE_ASSOCCHANGED, 0, nullptr, nullptr); }));
  }
  const double engineMs = bench::Median(engine);
  const double bareMs = bench::Median(bare);
  std::printf(
      "%d files, %d rounds, median: uninstall worker %.1f ms, bare DeleteFileW %.1f ms, "
      "ratio %.2f\n",
      files, rounds, engineMs, bareMs, engineMs / bareMs);
  std::printf("of which the check of the product folder against the special folders: %.1f ms\n",
              bench::Median(guard));
  std::printf("of which the shell notification after the shortcuts: %.1f ms\n",
              bench::Median(notify));
  bench::PrintFigure("uninstall_worker", engine);
  bench::PrintFigure("deletefilew_loop", bare);
  ::DestroyWindow(page);
  return 0;
}
