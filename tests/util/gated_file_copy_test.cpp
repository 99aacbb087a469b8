// Copies through the pause gate on the real file system of the Wine prefix. Where the system
// reports a copy's progress (Windows), a gate that holds stops the copy part-way through a file
// until it is opened.
#include "util/gated_file_copy.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>

#include "tests/util/test_files.h"
#include "util/scoped_handle.h"

namespace {

using test_files::FreshFolder;
using test_files::ReadText;
using test_files::WriteText;

constexpr DWORD kBoundMs = 30'000;

// 16 MB: many parts for the progress routine, whatever part size the system copies in.
std::string LargeContent() {
  std::string content(16 << 20, '\0');
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7 + 1);
  return content;
}

LONGLONG FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

TEST(CopyFileThroughGate, CopiesTheBytesWithOrWithoutAGate) {
  const std::wstring folder = FreshFolder(L"gated-copy-plain");
  const std::string content = LargeContent();
  WriteText(folder + L"source.dat", content);

  EXPECT_TRUE(CopyFileThroughGate(folder + L"source.dat", folder + L"plain.dat", false, nullptr));
  EXPECT_TRUE(CopyFileThroughGate(folder + L"source.dat", folder + L"gated.dat", false, [] {}));

  EXPECT_EQ(ReadText(folder + L"plain.dat"), content);
  EXPECT_EQ(ReadText(folder + L"gated.dat"), content);
}

// Whether this system's CopyFileExW calls its progress routine at all: Wine 8's never does, so
// there a pause holds the work between files only.
bool SystemReportsCopyProgress() {
  const std::wstring folder = FreshFolder(L"gated-copy-probe");
  WriteText(folder + L"source.dat", LargeContent());
  int passes = 0;
  CopyFileThroughGate(folder + L"source.dat", folder + L"target.dat", false, [&] { ++passes; });
  return passes >= 2;
}

TEST(CopyFileThroughGate, FailIfExistsKeepsTheTarget) {
  const std::wstring folder = FreshFolder(L"gated-copy-exists");
  WriteText(folder + L"source.txt", "new");
  WriteText(folder + L"target.txt", "old");

  EXPECT_FALSE(CopyFileThroughGate(folder + L"source.txt", folder + L"target.txt", true, nullptr));
  EXPECT_EQ(ReadText(folder + L"target.txt"), "old");
  EXPECT_TRUE(CopyFileThroughGate(folder + L"source.txt", folder + L"target.txt", false, nullptr));
  EXPECT_EQ(ReadText(folder + L"target.txt"), "new");
}

struct HeldCopy {
  std::wstring source;
  std::wstring target;
  win::ScopedHandle held{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  win::ScopedHandle open{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::atomic<int> passes{0};
  std::atomic<bool> copied{false};

  // The gate closes at its second pass, which lies inside the file.
  void PassGate() {
    if (++passes != 2) return;
    ::SetEvent(held.Get());
    ::WaitForSingleObject(open.Get(), INFINITE);
  }

  static DWORD WINAPI Run(void* self) {
    auto* copy = static_cast<HeldCopy*>(self);
    copy->copied =
        CopyFileThroughGate(copy->source, copy->target, false, [copy] { copy->PassGate(); });
    return 0;
  }
};

TEST(CopyFileThroughGate, AClosedGateHoldsTheCopyInsideTheFileUntilItOpens) {
  if (!SystemReportsCopyProgress()) {
    GTEST_SKIP() << "CopyFileExW here never calls its progress routine";
  }
  const std::wstring folder = FreshFolder(L"gated-copy-held");
  const std::string content = LargeContent();
  HeldCopy copy;
  copy.source = folder + L"source.dat";
  copy.target = folder + L"target.dat";
  WriteText(copy.source, content);

  win::ScopedHandle worker(::CreateThread(nullptr, 0, &HeldCopy::Run, &copy, 0, nullptr));
  ASSERT_EQ(::WaitForSingleObject(copy.held.Get(), kBoundMs), WAIT_OBJECT_0)
      << "the copy never reached its gate inside the file";
  const LONGLONG heldSize = FileSize(copy.target);
  EXPECT_EQ(::WaitForSingleObject(worker.Get(), 200), static_cast<DWORD>(WAIT_TIMEOUT))
      << "the copy went on past a closed gate";
  EXPECT_EQ(FileSize(copy.target), heldSize) << "the target grew while the gate was closed";
  EXPECT_FALSE(copy.copied);

  ::SetEvent(copy.open.Get());
  ASSERT_EQ(::WaitForSingleObject(worker.Get(), kBoundMs), WAIT_OBJECT_0);
  EXPECT_TRUE(copy.copied);
  EXPECT_EQ(ReadText(copy.target), content);
}

}  // namespace
