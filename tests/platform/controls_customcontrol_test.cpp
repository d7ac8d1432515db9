// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/drawing/bitmap.h"
#include "platform/windows/control.h"
#include "platform/system/error.h"
#include "tests/support/waituntil.h"
#include "tests/support/qtapp.h"

namespace kurvex {
namespace {

// Counts the paint events the window receives.
class PaintCounter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
  int paints = 0;
};

// Fills itself with one colour and writes down every event it receives.
class Probe : public TCustomControl {
 public:
  explicit Probe(TWinControl* parent = nullptr) : TCustomControl(parent) {}
  using TCustomControl::WindowBitmap;

  TColor fill = clRed;
  int creates = 0;
  int paints = 0;
  bool throwInPaint = false;
  int minWidth = 0;
  std::vector<std::string> log;

  void SetBounds(int left, int top, int width, int height) override {
    TCustomControl::SetBounds(left, top, std::max(width, minWidth), height);
  }

 protected:
  void CreateWnd() override { ++creates; }
  void RenderPicture(TPictureArea) override {
    ++paints;
    if (throwInPaint) throw EKurvexError("Zeichenfehler");
    TCanvas& canvas = WindowBitmap().Canvas();
    canvas.Brush.Color = fill;
    canvas.FillRect({0, 0, Width(), Height()});
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    log.push_back("down " + std::to_string(b) + " " + std::to_string(s) + " " + Xy(x, y));
  }
  void MouseMove(TShiftState s, int x, int y) override {
    log.push_back("move " + std::to_string(s) + " " + Xy(x, y));
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    log.push_back("up " + std::to_string(b) + " " + std::to_string(s) + " " + Xy(x, y));
  }
  void MouseWheel(TShiftState s, int delta, int x, int y) override {
    log.push_back("wheel " + std::to_string(s) + " " + std::to_string(delta) + " " + Xy(x, y));
  }
  void MouseLeave() override { log.push_back("leave"); }

 private:
  static std::string Xy(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
};

QRgb PixelAt(TCustomControl& c, int x, int y) {
  return c.ControlBitmap().Image().pixel(x, y) & 0xFFFFFF;
}

class CustomControlTest : public test::QtAppTest {
 protected:
  void SetUp() override {
    probe.SetBounds(0, 0, 60, 40);
    probe.Widget()->installEventFilter(&counter);
  }
  void ShowAndSettle() {
    probe.Show();
    QApplication::processEvents();
  }
  void TearDown() override { probe.Hide(); }

  Probe probe;
  PaintCounter counter;
};

TEST_F(CustomControlTest, TheWindowIsCreatedOnceBeforeTheFirstPaint) {
  EXPECT_FALSE(probe.HandleAllocated());
  probe.HandleNeeded();
  EXPECT_TRUE(probe.HandleAllocated());
  EXPECT_EQ(probe.paints, 0);
  ShowAndSettle();
  EXPECT_TRUE(probe.HandleAllocated());
  EXPECT_EQ(probe.creates, 1);
  EXPECT_EQ(probe.paints, 1);
  EXPECT_EQ(probe.ControlBitmap().Width(), 60);
  EXPECT_EQ(PixelAt(probe, 59, 39), 0xFF0000u);

  probe.Hide();
  ShowAndSettle();
  EXPECT_EQ(probe.creates, 1);
  probe.HandleNeeded();
  EXPECT_EQ(probe.creates, 1);
}

TEST_F(CustomControlTest, UpdatesBeforeTheLoopRunsAreShownWithOneRepaint) {
  ShowAndSettle();
  const int paintsBefore = counter.paints;
  TCanvas& canvas = probe.WindowBitmap().Canvas();
  canvas.Brush.Color = clBlue;
  for (const TPoint at : {TPoint{0, 0}, TPoint{20, 0}, TPoint{40, 20}}) {
    canvas.FillRect({at.X, at.Y, at.X + 10, at.Y + 10});
    probe.UpdateWindow();
  }
  QApplication::processEvents();

  EXPECT_EQ(counter.paints - paintsBefore, 1);
  EXPECT_EQ(probe.paints, 1) << "an update is not a reason to render again";
  EXPECT_EQ(PixelAt(probe, 5, 5), 0x0000FFu);
  EXPECT_EQ(PixelAt(probe, 25, 5), 0x0000FFu);
  EXPECT_EQ(PixelAt(probe, 45, 25), 0x0000FFu);
  EXPECT_EQ(PixelAt(probe, 15, 5), 0xFF0000u);
}

TEST_F(CustomControlTest, InvalidateAndResizeRenderAgain) {
  ShowAndSettle();
  probe.fill = clLime;
  probe.Invalidate();
  QApplication::processEvents();
  EXPECT_EQ(probe.paints, 2);
  EXPECT_EQ(PixelAt(probe, 1, 1), 0x00FF00u);

  probe.SetBounds(0, 0, 90, 50);
  QApplication::processEvents();
  EXPECT_EQ(probe.paints, 3);
  EXPECT_EQ(probe.ControlBitmap().Width(), 90);
  EXPECT_EQ(probe.ControlBitmap().Height(), 50);
  EXPECT_EQ(PixelAt(probe, 89, 49), 0x00FF00u);
}

TEST_F(CustomControlTest, AToolkitResizeGoesThroughTheVirtualSetBounds) {
  probe.minWidth = 50;
  ShowAndSettle();
  probe.Widget()->resize(20, 30);
  EXPECT_EQ(probe.Width(), 50);
  EXPECT_EQ(probe.Height(), 30);
}

TEST_F(CustomControlTest, MouseEventsArriveWithPositionButtonsAndShiftStateAndDoubleClicksAsDown) {
  ShowAndSettle();
  QWidget* w = probe.Widget();
  test::MouseMove(w, {3, 4});
  test::MousePress(w, Qt::LeftButton, {10, 20}, Qt::ShiftModifier);
  EXPECT_TRUE(probe.MouseCaptured());
  test::MouseMove(w, {12, 22}, Qt::LeftButton, Qt::ControlModifier);
  test::MouseRelease(w, Qt::LeftButton, {14, 24});
  EXPECT_FALSE(probe.MouseCaptured());
  test::MousePress(w, Qt::RightButton, {1, 2}, Qt::AltModifier);
  test::MouseRelease(w, Qt::RightButton, {1, 2});

  QWheelEvent wheel(QPointF(5, 6), w->mapToGlobal(QPointF(5, 6)), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &wheel);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(w, &leave);
  QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(7, 8), w->mapToGlobal(QPointF(7, 8)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &twice);

  const std::vector<std::string> expected = {
      "move 0 3,4",
      "down 0 " + std::to_string(ssShift | ssLeft) + " 10,20",
      "move " + std::to_string(ssCtrl | ssLeft) + " 12,22",
      "up 0 0 14,24",
      "down 1 " + std::to_string(ssAlt | ssRight) + " 1,2",
      "up 1 0 1,2",
      "wheel " + std::to_string(ssCtrl) + " -120 5,6",
      "leave",
      "down 0 " + std::to_string(ssLeft | ssDouble) + " 7,8",
  };
  EXPECT_EQ(probe.log, expected);
}

TEST_F(CustomControlTest, AnErrorInPaintIsReportedAndDoesNotEscapeTheEventLoop) {
  std::vector<std::string> reported;
  SetErrorReporter([&](const EKurvexError& e) { reported.push_back(e.what()); });
  probe.throwInPaint = true;
  ShowAndSettle();
  SetErrorReporter(nullptr);
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_EQ(reported[0], "Zeichenfehler");
}

// Renders on request only, and counts it.
class RequestProbe : public TCustomControl {
 public:
  void Ask(TPictureArea area) { RequestPicture(area); }
  int renders = 0;
  std::vector<TPictureArea> areas;

 protected:
  void RenderPicture(TPictureArea area) override {
    ++renders;
    areas.push_back(area);
    WindowBitmap().Canvas().Brush.Color = clGreen;
    WindowBitmap().Canvas().FillRect({0, 0, Width(), Height()});
  }
};

TEST_F(CustomControlTest, RequestsBeforeAFrameRenderOnceAndReadersRenderAtOnce) {
  RequestProbe requests;
  requests.SetBounds(0, 0, 30, 20);
  requests.Show();
  QApplication::processEvents();
  const int settled = requests.renders;
  requests.Ask(paPlotArea);
  requests.Ask(paWhole);
  requests.Ask(paPlotArea);
  ASSERT_TRUE(test::WaitUntil([&] { return requests.renders > settled; }));
  EXPECT_EQ(requests.renders, settled + 1);
  EXPECT_EQ(requests.areas.back(), paWhole) << "one whole request makes the render whole";
  requests.ControlBitmap();
  EXPECT_EQ(requests.renders, settled + 1) << "nothing was pending";

  requests.Ask(paPlotArea);
  EXPECT_EQ(requests.ControlBitmap().Image().pixel(5, 5) & 0xFFFFFF, 0x008000u);
  EXPECT_EQ(requests.renders, settled + 2);
  EXPECT_EQ(requests.areas.back(), paPlotArea);
}

}  // namespace
}  // namespace kurvex
