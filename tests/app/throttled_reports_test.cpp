// Reports held back between intervals: the first goes at once, the last state always arrives,
// the order of status and position is kept, and the gate runs at every status text.
#include "app/throttled_reports.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Recorder : public StatusSink, public ProgressSink {
 public:
  void ShowStatus(const std::wstring& text) override { received.push_back(text); }
  int Position() const override { return position; }
  void SetPosition(int value) override {
    position = value;
    received.push_back(L"#" + std::to_wstring(value));
  }
  std::vector<std::wstring> received;
  int position = 80;
};

struct Case {
  const char* label;
  ULONGLONG intervalMs;
  std::vector<std::wstring> expected;
};

TEST(ThrottledReports, FirstAndLastAlwaysArriveInOrder) {
  const Case cases[] = {
      {"every report", 0, {L"a", L"#81", L"b", L"#82", L"c", L"#83"}},
      {"held back", 3'600'000, {L"a", L"c", L"#83"}},
  };
  for (const auto& c : cases) {
    Recorder recorder;
    int gates = 0;
    ThrottledReports reports(
        recorder, recorder, [&] { ++gates; }, c.intervalMs);
    EXPECT_EQ(reports.Position(), 80);
    for (const wchar_t* file : {L"a", L"b", L"c"}) {
      reports.ShowStatus(file);
      reports.SetPosition(reports.Position() + 1);
    }
    reports.Flush();
    reports.Flush();
    EXPECT_EQ(recorder.received, c.expected) << c.label;
    EXPECT_EQ(gates, 3) << c.label;
    EXPECT_EQ(recorder.position, 83) << c.label;
  }
}

}  // namespace
