#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "platform/form.h"
#include "platform/qtconvert.h"
#include "tests/support/qtapp.h"
#include "widgets/circularprogress.h"
#include "widgets/circularprogresslayout.h"

namespace kurvex {
namespace {

class CircularProgressTest : public test::QtAppTest {};

// The control's picture over a white parent.
QImage Picture(TCircularProgress& ring) {
  QImage image(ring.Width(), ring.Height(), QImage::Format_RGB32);
  image.fill(Qt::white);
  ring.Widget()->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  return image;
}

TColor At(const QImage& image, double x, double y) {
  return FromQRgb(image.pixel(static_cast<int>(x), static_cast<int>(y)));
}

// A pixel at `angle` degrees (clockwise from three o'clock) halfway between
// the hole and the outer edge.
TColor OnRing(const QImage& image, double angle) {
  const double w = image.width(), h = image.height();
  const TRect hole = HoleRect({0, 0, image.width(), image.height()});
  const double rx = (w / 2 + hole.Width() / 2.0) / 2, ry = (h / 2 + hole.Height() / 2.0) / 2;
  const double a = angle * std::numbers::pi / 180;
  return At(image, w / 2 + rx * std::cos(a), h / 2 + ry * std::sin(a));
}

TColor SegmentPixel(const QImage& image, int segment) {
  const int sweep = SegmentSweep(image.width(), image.height());
  return OnRing(image, SegmentStartAngle(segment) + sweep / 2.0);
}

std::vector<TColor> Segments(const QImage& image) {
  std::vector<TColor> colors;
  for (int i = 1; i <= kSegmentCount; ++i) colors.push_back(SegmentPixel(image, i));
  return colors;
}

// Lets the real timer run `ticks` ticks (1 ms apart), calling `each` after
// every one, and stops the ring after the last.
void RunTicks(TCircularProgress& ring, int ticks, const std::function<void()>& each = {}) {
  int count = 0;
  QEventLoop loop;
  ring.OnProgressUpdate = [&](TObject* sender) {
    EXPECT_EQ(sender, &ring);
    if (each) each();
    if (++count == ticks) {
      ring.SetEnabled(false);
      loop.quit();
    }
  };
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [&] {
    ADD_FAILURE() << "only " << count << " ticks";
    loop.quit();
  });
  watchdog.start(5000);
  ring.SetInterval(1);
  ring.SetEnabled(true);
  loop.exec();
  ring.OnProgressUpdate = nullptr;
}

TEST_F(CircularProgressTest, PropertyRules) {
  TCircularProgress ring;
  EXPECT_EQ(ring.Width(), 60);
  EXPECT_EQ(ring.Height(), 60);
  EXPECT_EQ(ring.Min(), 0);
  EXPECT_EQ(ring.Max(), 100);
  EXPECT_EQ(ring.Position(), 0);
  EXPECT_EQ(ring.Step(), 10);
  EXPECT_EQ(ring.Interval(), 100u);
  EXPECT_TRUE(ring.Enabled());

  ring.SetPosition(101);  // outside Min..Max: ignored
  ring.SetPosition(-1);
  EXPECT_EQ(ring.Position(), 0);
  ring.SetPosition(80);
  ring.SetMax(-5);  // negative: ignored
  EXPECT_EQ(ring.Max(), 100);
  ring.SetMax(50);  // Position follows down
  EXPECT_EQ(ring.Max(), 50);
  EXPECT_EQ(ring.Position(), 50);
  ring.SetMin(51);  // above Max: ignored
  ring.SetMin(-1);
  EXPECT_EQ(ring.Min(), 0);
  ring.SetPosition(10);
  ring.SetMin(20);  // Position follows up
  EXPECT_EQ(ring.Min(), 20);
  EXPECT_EQ(ring.Position(), 20);
  ring.SetPosition(19);
  EXPECT_EQ(ring.Position(), 20);
  ring.SetInterval(50);
  EXPECT_EQ(ring.Interval(), 50u);
}

TEST_F(CircularProgressTest, StartPictureAtThirtyTwoPixels) {
  TCircularProgress ring;
  ring.SetBounds(0, 0, 32, 32);
  ring.SetEnabled(false);
  const QImage image = Picture(ring);
  const TProgressAppearance& look = ring.Appearance();
  EXPECT_EQ(SegmentPixel(image, 1), look.TransitionSegmentColor());
  for (int i = 2; i <= kSegmentCount; ++i) {
    EXPECT_EQ(SegmentPixel(image, i), look.InActiveSegmentColor()) << "segment " << i;
  }
  EXPECT_EQ(At(image, 16, 16), clWhite) << "the hole shows the parent";
  EXPECT_EQ(At(image, 0, 0), clWhite) << "no background of its own";
  EXPECT_EQ(At(image, 31, 31), clWhite);
}

TEST_F(CircularProgressTest, GapsHoleBackgroundAndBorder) {
  TCircularProgress ring;
  ring.SetBounds(0, 0, 200, 200);
  ring.SetEnabled(false);
  TProgressAppearance& look = ring.Appearance();
  look.SetBackGroundColor(clYellow);
  QImage image = Picture(ring);
  EXPECT_EQ(At(image, 0, 0), clYellow);
  EXPECT_EQ(At(image, 100, 100), clYellow) << "the hole is cut out";
  const int sweep = SegmentSweep(200, 200);
  for (int i = 1; i <= kSegmentCount; ++i) {
    EXPECT_EQ(OnRing(image, SegmentStartAngle(i) + sweep + (30 - sweep) / 2.0), clYellow)
        << "gap after segment " << i;
  }

  look.SetBorderColor(clRed);
  image = Picture(ring);
  EXPECT_EQ(At(image, 0, 0), clRed);
  EXPECT_EQ(At(image, 199, 199), clRed);
  // The ring gives up the right and bottom pixel to the border; at the top
  // and left it reaches the edge and covers the border there.
  EXPECT_EQ(At(image, 199, 100), clRed);
  EXPECT_EQ(At(image, 100, 199), clRed);
  EXPECT_EQ(At(image, 196, 104), look.InActiveSegmentColor());

  look.SetInActiveSegmentColor(clNone);  // not drawn at all
  image = Picture(ring);
  EXPECT_EQ(SegmentPixel(image, 6), clYellow);
  EXPECT_EQ(SegmentPixel(image, 1), look.TransitionSegmentColor());
}

TEST_F(CircularProgressTest, PositionAtMaxShowsProgressInEveryFreeSegment) {
  TCircularProgress ring;
  ring.SetEnabled(false);
  const TProgressAppearance& look = ring.Appearance();
  ring.SetPosition(100);
  std::vector<TColor> expected(kSegmentCount, look.ProgressSegmentColor());
  expected[0] = look.TransitionSegmentColor();
  EXPECT_EQ(Segments(Picture(ring)), expected);

  ring.SetPosition(25);  // three twelfths
  expected.assign(kSegmentCount, look.InActiveSegmentColor());
  expected[0] = look.TransitionSegmentColor();
  expected[1] = expected[2] = look.ProgressSegmentColor();
  EXPECT_EQ(Segments(Picture(ring)), expected);

  ring.SetPosition(500);  // ignored: the picture stays
  EXPECT_EQ(Segments(Picture(ring)), expected);
}

TEST_F(CircularProgressTest, TimerFillsAndEmptiesTheRing) {
  TCircularProgress ring;
  ring.SetBounds(0, 0, 32, 32);
  const TProgressAppearance& look = ring.Appearance();
  ring.SetEnabled(false);
  const QImage start = Picture(ring);

  RunTicks(ring, 11);
  std::vector<TColor> full(kSegmentCount, look.ActiveSegmentColor());
  full[11] = look.TransitionSegmentColor();
  EXPECT_EQ(Segments(Picture(ring)), full);
  RunTicks(ring, 13);
  EXPECT_EQ(ring.Cycle().CurrentSegment(), 1);
  EXPECT_TRUE(ring.Cycle().FillPhase());
  EXPECT_EQ(Picture(ring), start) << "24 ticks bring the start picture back";

  // Disabled or with a zero interval the ring does not move.
  int ticks = 0;
  ring.OnProgressUpdate = [&](TObject*) { ++ticks; };
  ring.SetInterval(1);
  QEventLoop idle;
  QTimer::singleShot(30, &idle, &QEventLoop::quit);
  idle.exec();
  ring.SetEnabled(true);
  ring.SetInterval(0);
  QTimer::singleShot(30, &idle, &QEventLoop::quit);
  idle.exec();
  EXPECT_EQ(ticks, 0);
  EXPECT_EQ(ring.Cycle().CurrentSegment(), 1);
}

// Each tick repaints only its rectangle; that must be enough for the screen
// to show what a full repaint would.
TEST_F(CircularProgressTest, PartialRepaintMatchesFullPicture) {
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{32, 32}, {60, 60}, {33, 31}, {200, 100}}) {
    TCircularProgress ring;
    ring.SetBounds(0, 0, w, h);
    ring.SetEnabled(false);
    QImage screen = Picture(ring);
    RunTicks(ring, 24, [&] {
      const TRect r = TickUpdateRect(ring.Cycle().CurrentSegment(), w, h);
      // As on screen: the parent repaints the rectangle, then the ring.
      QPainter(&screen).fillRect(r.Left, r.Top, r.Width(), r.Height(), Qt::white);
      ring.Widget()->render(&screen, QPoint(r.Left, r.Top),
                            QRegion(r.Left, r.Top, r.Width(), r.Height()), QWidget::DrawChildren);
      ASSERT_EQ(screen, Picture(ring)) << w << " x " << h << ", segment "
                                       << ring.Cycle().CurrentSegment() << ", fill "
                                       << ring.Cycle().FillPhase();
    });
  }
}

// On screen a tick asks for its rectangle only, not for the whole control.
TEST_F(CircularProgressTest, TickInvalidatesOnlyItsRectangle) {
  struct PaintLog : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) rects.push_back(static_cast<QPaintEvent*>(event)->rect());
      return false;
    }
    std::vector<QRect> rects;
  } log;
  TForm form;
  TCircularProgress ring(&form);
  ring.SetBounds(10, 5, 32, 32);
  ring.SetEnabled(false);
  form.Show();
  QEventLoop settle;
  QTimer::singleShot(50, &settle, &QEventLoop::quit);
  settle.exec();
  ring.Widget()->installEventFilter(&log);
  RunTicks(ring, 12, [&] {
    log.rects.clear();
    QCoreApplication::processEvents();
    const TRect r = TickUpdateRect(ring.Cycle().CurrentSegment(), 32, 32);
    ASSERT_EQ(log.rects.size(), 1u) << "segment " << ring.Cycle().CurrentSegment();
    EXPECT_EQ(log.rects[0], QRect(r.Left, r.Top, r.Width(), r.Height()))
        << "segment " << ring.Cycle().CurrentSegment();
  });
}

TEST_F(CircularProgressTest, MouseEnterAndLeave) {
  TCircularProgress ring;
  std::vector<std::string> log;
  ring.OnMouseEnter = [&](TObject* s) { log.push_back(s == &ring ? "enter" : "?"); };
  ring.OnMouseLeave = [&](TObject* s) { log.push_back(s == &ring ? "leave" : "?"); };
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(ring.Widget(), &enter);
  QCoreApplication::sendEvent(ring.Widget(), &leave);
  EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave"}));
}

}  // namespace
}  // namespace kurvex
