// The entry point's refusal without administrator rights, with the query replaced.
#include "main/run_setup.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <future>
#include <string>
#include <vector>

#include "prepare/prepare_form.h"
#include "tools/driver/driver.h"

namespace {

using namespace std::chrono_literals;

// Answers every message box of this process until `count` have been seen; returns their texts.
std::vector<std::wstring> AnswerBoxes(size_t count) {
  std::vector<std::wstring> texts;
  while (texts.size() < count) {
    const auto box = driver::WaitForMessageBox(::GetCurrentProcessId(), 30s);
    if (!box) break;
    texts.push_back(box->text);
    driver::AnswerMessageBox(*box, L"OK");
    // Wait until this box is gone, so the next one found is a new one.
    for (int i = 0; i < 200 && ::IsWindow(box->handle); ++i) std::this_thread::sleep_for(10ms);
  }
  return texts;
}

TEST(RunSetup, WithoutAdministratorRightsShowsOnlyTheRefusalAndReturnsZero) {
  auto answered = std::async(std::launch::async, AnswerBoxes, 2);
  // The test program's folder has no texts: the workbook message comes first, then the refusal
  // text, which is missing and so shows the not-found marker.
  const int result = RunSetup([] { return false; });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(answered.get(), (std::vector<std::wstring>{L"XLS File Not Found!! Closing...", L"@@"}));
  EXPECT_EQ(FPrepare, nullptr) << "no window is created";
}

}  // namespace
