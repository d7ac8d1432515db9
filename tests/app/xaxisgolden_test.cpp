// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include <QWidget>

#include "app/mainwindow.h"
#include "app/xaxis/xaxisfeature.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/golden.h"

namespace kurvex::test {
namespace {

const std::string kGoldenDir = std::filesystem::path(KURVEX_TEST_DATA).parent_path().string() + "/golden/";
constexpr std::int64_t kMs = 1'000'000;

/// The same picture on any machine: the clock and the time zone are the test's.
class XAxisGoldenTest : public MainWindowTest {
 protected:
  XAxisGoldenTest() {
    const char* zone = std::getenv("TZ");
    if (zone != nullptr) m_zone = zone;
    setenv("TZ", "UTC", 1);
    tzset();
    OverrideReadClock([this] { return TReadTime{now, now}; });
  }
  ~XAxisGoldenTest() override {
    OverrideReadClock({});
    if (m_zone) setenv("TZ", m_zone->c_str(), 1); else unsetenv("TZ");
    tzset();
  }
  void Choose(const char* name) {
    TMenuItem& menu = form->XAxis().Menu();
    for (int i = 0; i < menu.Count(); ++i)
      if (menu.Items(i).Name() == name) menu.Items(i).Click();
  }
  bool Matches(const std::string& name) {
    if (name.ends_with("@2x") && form->Chart1->Widget()->devicePixelRatioF() != 2) return true;
    return MatchesGolden(form->Chart1->ControlBitmap(), kGoldenDir, name);
  }

  // 13:30:00 UTC on 6 December 2025.
  std::int64_t now = 1'765'027'800'000 * kMs;
  std::optional<std::string> m_zone;
};

// An instrument asked once a second that paused for half a minute.
class TimeOfDayGoldenTest : public XAxisGoldenTest {
 protected:
  TimeOfDayGoldenTest() {
    Choose("XAchseUhrzeit");
    form->GraphXmaxEdit->SetText("120");
    form->StartButton->Click();
    for (int i = 0; i < 90; ++i) {
      now += (i == 45 ? 31'000 : 1'000) * kMs;
      Receive(std::to_string(5 + 4 * std::sin(i / 7.0)).substr(0, 5) + "\r\n");
    }
    form->StopButton->Click();
  }
};

TEST_F(TimeOfDayGoldenTest, TheTimeOfDayWithAPause) { EXPECT_TRUE(Matches("time-of-day")); }
TEST_F(TimeOfDayGoldenTest, TheTimeOfDayWithAPauseAtTwiceTheResolution) { EXPECT_TRUE(Matches("time-of-day@2x")); }

// A Lissajous figure: the second curve against the first.
class XYGoldenTest : public XAxisGoldenTest {
 protected:
  XYGoldenTest() {
    Choose("XAchseKanal1");
    form->GraphYminEdit->SetText("-10");
    form->StartButton->Click();
    std::string lines;
    for (int i = 0; i <= 400; ++i) {
      char line[64];
      std::snprintf(line, sizeof line, "%.3f;%.3f\r\n", 8 * std::sin(3 * i * 0.0157), 8 * std::cos(2 * i * 0.0157));
      lines += line;
    }
    Receive(lines);
    form->StopButton->Click();
  }
};

TEST_F(XYGoldenTest, ALissajousFigure) { EXPECT_TRUE(Matches("xy")); }
TEST_F(XYGoldenTest, ALissajousFigureAtTwiceTheResolution) { EXPECT_TRUE(Matches("xy@2x")); }

}  // namespace
}  // namespace kurvex::test
