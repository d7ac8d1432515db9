// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <map>
#include <string>
#include <QTest>

#include "app/closer/closerlook.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

/// Counts the timer events the application delivers, by receiver.
class TimerEvents : public QObject {
 public:
  TimerEvents() { QCoreApplication::instance()->installEventFilter(this); }
  ~TimerEvents() override { QCoreApplication::instance()->removeEventFilter(this); }
  std::map<std::string, int> Count;
  std::string Text() const {
    std::string text;
    for (const auto& [receiver, count] : Count) text += receiver + ": " + std::to_string(count) + "\n";
    return text;
  }

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    // A device that appears (another program's pseudo-terminal) wakes the
    // port watch: that is the port list kept current, not idling.
    if (event->type() == QEvent::Timer && receiver->objectName() != "PortSettleTimer")
      ++Count[std::string(receiver->metaObject()->className()) + " " + receiver->objectName().toStdString() +
              (receiver->parent() ? std::string(" in ") + receiver->parent()->metaObject()->className() : "")];
    return false;
  }
};

class IdleTest : public MainWindowTest {};

// With the port open and nothing arriving, only the busy indicator's ticks
// wake the window: also after a long acquisition, with a paused view, a
// marker and the statistics shown.
TEST_F(IdleTest, AnAcquiringWindowWithNothingArrivingWakesOnlyForTheIndicator) {
  form->TrendCheckBox->SetChecked(true);
  form->StartButton->Click();
  std::string lines;
  for (int i = 0; i < 20000; ++i) lines += std::to_string(i % 97) + "\r\n";
  Receive(lines);
  form->Content().NavigateTo({100, 600}, {0, 100});  // a paused view over the history
  TCloserLook& closer = form->CloserLook();
  closer.SetStatisticsShown(true);
  form->Chart1->SetFocus();
  QTest::keyClick(form->Chart1->Widget(), Qt::Key_Right);
  closer.SetMarker(TCloserLook::MarkerA);
  int renders = 0, ticks = 0;
  form->Chart1->OnDataRendered = [&](TObject*, TCanvas&, int, int) { ++renders; };
  form->CircularProgress->OnProgressUpdate = [&](TObject*) { ++ticks; };
  // What the last sample and the clicks asked for is done within a few ticks.
  ASSERT_TRUE(WaitUntil([&] { return ticks >= 5; }));
  renders = ticks = 0;
  const TimerEvents timers;
  ASSERT_TRUE(WaitUntil([&] { return ticks >= 20; }));
  EXPECT_EQ(renders, 0) << "the chart is drawn again with nothing new";
  EXPECT_EQ(timers.Count.size(), 1u) << timers.Text();
}

}  // namespace
}  // namespace kurvex::test
