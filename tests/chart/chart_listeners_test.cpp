// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QContextMenuEvent>
#include <QEvent>
#include <QKeyEvent>

#include <memory>
#include <string>
#include <vector>

#include "tests/chart/mouse_fixture.h"

namespace kurvex::test {
namespace {

// Who heard an event, in the order they heard it.
class ChartListenersTest : public MouseChartTest {
 protected:
  ChartListenersTest() { chart.SetMouseAction(maPan); }

  void Leave() {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(W(), &leave);
  }
  void ContextMenu(QPoint at) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, W()->mapToGlobal(at));
    QApplication::sendEvent(W(), &event);
  }
  void Key(Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(W(), &press);
  }

  /// Listener `name` of every event the chart lets features listen to.
  std::vector<TSubscription> ListenToAll(const std::string& name) {
    std::vector<TSubscription> all;
    all.push_back(chart.SubscribeMouseMoveInChart(
        [this, name](TObject* sender, bool, TShiftState, double, double) { Heard(sender, name + " move"); }));
    all.push_back(chart.SubscribeMouseLeave([this, name](TObject* sender) { Heard(sender, name + " leave"); }));
    all.push_back(
        chart.SubscribeKeyDown([this, name](TObject* sender, TKey&, TShiftState) { Heard(sender, name + " key"); }));
    all.push_back(chart.SubscribeContextPopup(
        [this, name](TObject* sender, int, int, bool) { Heard(sender, name + " menu"); }));
    all.push_back(chart.SubscribeZoomPan([this, name](TObject* sender) { Heard(sender, name + " zoompan"); }));
    return all;
  }
  void Heard(TObject* sender, const std::string& what) {
    EXPECT_EQ(sender, &chart) << what;
    heard.push_back(what);
  }
  /// What was heard since the last call.
  std::vector<std::string> Heard() { return std::exchange(heard, {}); }

  std::vector<std::string> heard;
};

using Texts = std::vector<std::string>;

TEST_F(ChartListenersTest, EveryListenerHearsEachEventInTheOrderItSubscribedAfterThePublishedHandler) {
  chart.OnMouseMoveInChart = [&](TObject*, bool, TShiftState, double, double) { heard.push_back("published"); };
  chart.OnMouseLeave = [&](TObject*) { heard.push_back("published"); };
  chart.OnKeyDown = [&](TObject*, TKey&, TShiftState) { heard.push_back("published"); };
  chart.OnContextPopup = [&](TObject*, int, int, bool) { heard.push_back("published"); };
  chart.OnZoomPan = [&](TObject*) { heard.push_back("published"); };
  const auto a = ListenToAll("a");
  const auto b = ListenToAll("b");

  Hover({300, 166});
  EXPECT_EQ(Heard(), (Texts{"published", "a move", "b move"}));
  Leave();
  EXPECT_EQ(Heard(), (Texts{"published", "a leave", "b leave"}));
  Key(Qt::Key_Left);
  EXPECT_EQ(Heard(), (Texts{"published", "a key", "b key"}));
  ContextMenu({300, 166});
  EXPECT_EQ(Heard(), (Texts{"published", "a menu", "b menu"}));
  Hover({300, 166});
  Press({300, 166});
  MoveHeld({300, 166});
  Heard();
  MoveHeld({310, 166});  // a pan step
  EXPECT_EQ(Heard(), (Texts{"published", "a zoompan", "b zoompan", "published", "a move", "b move"}));
  Release({310, 166});
  chart.NavigateTo({10, 60}, {0, 100});
  EXPECT_EQ(Heard(), (Texts{"published", "a zoompan", "b zoompan"}));
}

TEST_F(ChartListenersTest, ListenersAloneGetTheEventsWithoutAPublishedHandler) {
  chart.OnZoomPan = nullptr;
  const auto a = ListenToAll("a");
  Key(Qt::Key_A);
  ContextMenu({300, 166});
  chart.NavigateTo({10, 60}, {0, 100});
  EXPECT_EQ(Heard(), (Texts{"a key", "a menu", "a zoompan"}));
}

TEST_F(ChartListenersTest, AKeyTakenBySettingItToZeroGoesToNoLaterListener) {
  bool takenByOwner = false;
  chart.OnKeyDown = [&](TObject*, TKey& key, TShiftState) {
    if (takenByOwner) key = 0;
  };
  const auto a = chart.SubscribeKeyDown([&](TObject*, TKey& key, TShiftState) {
    heard.push_back("a " + std::to_string(key));
    if (key == 'A') key = 0;
  });
  const auto b = chart.SubscribeKeyDown([&](TObject*, TKey& key, TShiftState) {
    heard.push_back("b " + std::to_string(key));
  });
  Key(Qt::Key_B);
  Key(Qt::Key_A);
  EXPECT_EQ(Heard(), (Texts{"a 66", "b 66", "a 65"}));
  takenByOwner = true;
  Key(Qt::Key_B);
  EXPECT_EQ(Heard(), Texts{});
}

TEST_F(ChartListenersTest, AListenerWhoseSubscriptionWentHearsNothingMoreEvenFromTheEventUnderWay) {
  auto a = ListenToAll("a");
  std::vector<TSubscription> b;
  TSubscription c;
  // The first listener ends the second's subscription and its own while the event is under way.
  const TSubscription ending = chart.SubscribeZoomPan([&](TObject*) {
    b.clear();
    c.Unsubscribe();
    heard.push_back("ending");
  });
  b = ListenToAll("b");
  c = chart.SubscribeZoomPan([&](TObject*) { heard.push_back("c"); });
  chart.NavigateTo({10, 60}, {0, 100});
  EXPECT_EQ(Heard(), (Texts{"a zoompan", "ending"}));

  a.clear();
  Hover({300, 166});
  Key(Qt::Key_Left);
  chart.NavigateTo({20, 70}, {0, 100});
  EXPECT_EQ(Heard(), Texts{"ending"});

  // One that subscribes during an event hears the next one.
  std::vector<TSubscription> late;
  const TSubscription subscriber = chart.SubscribeMouseLeave([&](TObject*) {
    if (late.empty()) late.push_back(chart.SubscribeMouseLeave([&](TObject*) { heard.push_back("late"); }));
  });
  Leave();
  EXPECT_EQ(Heard(), Texts{});
  Leave();
  EXPECT_EQ(Heard(), Texts{"late"});
}

TEST_F(ChartListenersTest, ASubscriptionMayOutliveItsChart) {
  auto gone = std::make_unique<TChartControl>();
  TSubscription subscription = gone->SubscribeZoomPan([](TObject*) {});
  gone.reset();
  subscription.Unsubscribe();  // touches nothing of the chart (a sanitizer build would see it)
}

}  // namespace
}  // namespace kurvex::test
