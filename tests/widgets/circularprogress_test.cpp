// SPDX-License-Identifier: GPL-3.0-or-later
#include <chrono>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QEventLoop>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QTimer>
#include <QWidget>

#include "platform/drawing/qtconvert.h"
#include "platform/windows/form.h"
#include "tests/support/qtapp.h"
#include "tests/support/waituntil.h"
#include "widgets/circularprogress.h"
#include "widgets/circularprogresslayout.h"
#include "widgets/circularprogresssegments.h"
#include "widgets/progressappearance.h"

namespace kurvex {
namespace {

class CircularProgressTest : public test::QtAppTest {};

// The control's picture, drawn over white.
QImage Picture(TCircularProgress& ring) {
  QImage image(ring.Width(), ring.Height(), QImage::Format_RGB32);
  image.fill(Qt::white);
  ring.Widget()->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  return image;
}

// The colour in the middle of each segment, halfway between hole and rim.
std::vector<TColor> Segments(const QImage& image) {
  const double w = image.width(), h = image.height();
  const TRect hole = HoleRect({0, 0, image.width(), image.height()});
  std::vector<TColor> colors;
  for (int i = 1; i <= kSegmentCount; ++i) {
    const double a = (SegmentStartAngle(i) + SegmentSweep(image.width(), image.height()) / 2.0) *
                     std::numbers::pi / 180;
    colors.push_back(FromQRgb(image.pixel(int(w / 2 + (w + hole.Width()) / 4 * std::cos(a)),
                                          int(h / 2 + (h + hole.Height()) / 4 * std::sin(a)))));
  }
  return colors;
}

std::vector<TColor> Expected(TColor first, TColor rest) {
  std::vector<TColor> colors(kSegmentCount, rest);
  colors[0] = first;
  return colors;
}

// Lets the real timer run `ticks` ticks 1 ms apart, calling `each` after every one.
void RunTicks(TCircularProgress& ring, int ticks, const std::function<void()>& each = {}) {
  int count = 0;
  QEventLoop loop;
  ring.OnProgressUpdate = [&](TObject*) {
    if (each) each();
    if (++count == ticks) loop.quit();
  };
  QTimer::singleShot(5000, &loop, [&] {
    ADD_FAILURE() << "only " << count << " ticks";
    loop.quit();
  });
  ring.SetInterval(1);
  ring.SetEnabled(true);
  loop.exec();
  ring.SetEnabled(false);
  ring.OnProgressUpdate = nullptr;
}

TEST_F(CircularProgressTest, PropertyRules) {
  TCircularProgress ring;
  EXPECT_EQ(ring.Width(), 60);
  EXPECT_EQ(ring.Interval(), 100u);
  ring.SetPosition(101);  // outside Min..Max: ignored
  ring.SetPosition(-1);
  EXPECT_EQ(ring.Position(), 0);
  ring.SetPosition(80);
  ring.SetMax(-5);  // ignored
  ring.SetMax(50);  // Position follows down
  EXPECT_EQ(ring.Max(), 50);
  EXPECT_EQ(ring.Position(), 50);
  ring.SetMin(51);  // above Max: ignored
  ring.SetPosition(10);
  ring.SetMin(20);  // Position follows up
  EXPECT_EQ(ring.Min(), 20);
  EXPECT_EQ(ring.Position(), 20);
}

void SetBackground(TForm& form, QColor color) {
  QPalette palette = form.Widget()->palette();
  palette.setColor(QPalette::Window, color);
  form.Widget()->setPalette(palette);
}

TEST_F(CircularProgressTest, Pictures) {
  TForm form;
  SetBackground(form, Qt::green);
  TCircularProgress ring(&form);
  ring.SetBounds(0, 0, 32, 32);
  ring.SetEnabled(false);
  TProgressAppearance& look = ring.Appearance();
  const TColor T = look.TransitionSegmentColor();
  EXPECT_EQ(Segments(Picture(ring)), Expected(T, look.InActiveSegmentColor()));
  EXPECT_EQ(Picture(ring).pixel(16, 16), qRgb(0, 255, 0)) << "the hole shows the parent";
  SetBackground(form, Qt::cyan);
  EXPECT_EQ(Picture(ring).pixel(0, 0), qRgb(0, 255, 255)) << "and so does the corner, also in a new colour";
  ring.SetPosition(100);
  EXPECT_EQ(Segments(Picture(ring)), Expected(T, look.ProgressSegmentColor()));
  ring.SetPosition(500);  // ignored
  EXPECT_EQ(Segments(Picture(ring)), Expected(T, look.ProgressSegmentColor()));

  ring.SetBounds(0, 0, 200, 200);
  look.SetBackGroundColor(clYellow);
  look.SetBorderColor(clRed);
  look.SetProgressSegmentColor(clNone);  // not drawn
  const QImage image = Picture(ring);
  EXPECT_EQ(Segments(image), Expected(T, clYellow));
  EXPECT_EQ(FromQRgb(image.pixel(100, 100)), clYellow);
  // The ring leaves the right and bottom pixel to the border.
  EXPECT_EQ(FromQRgb(image.pixel(199, 100)), clRed);
  EXPECT_EQ(FromQRgb(image.pixel(100, 199)), clRed);
}

TEST_F(CircularProgressTest, TimerFillsAndEmptiesTheRingOnlyWhileEnabled) {
  TCircularProgress ring;
  ring.SetBounds(0, 0, 32, 32);
  ring.SetEnabled(false);
  const QImage start = Picture(ring);
  RunTicks(ring, 11);
  const TProgressAppearance& look = ring.Appearance();
  std::vector<TColor> full(kSegmentCount, look.ActiveSegmentColor());
  full[11] = look.TransitionSegmentColor();
  EXPECT_EQ(Segments(Picture(ring)), full);
  RunTicks(ring, 13);
  EXPECT_EQ(Picture(ring), start) << "24 ticks bring the start picture back";

  int ticks = 0;
  ring.OnProgressUpdate = [&](TObject*) { ++ticks; };
  QEventLoop idle;
  QTimer::singleShot(30, &idle, &QEventLoop::quit);
  idle.exec();  // disabled
  ring.SetEnabled(true);
  ring.SetInterval(0);  // no animation
  QTimer::singleShot(30, &idle, &QEventLoop::quit);
  idle.exec();
  EXPECT_EQ(ticks, 0);
}

TEST_F(CircularProgressTest, TicksRidingTheFramesKeepTheirInterval) {
  TCircularProgress ring;
  ring.SetInterval(50);
  int ticks = 0;
  ring.OnProgressUpdate = [&](TObject*) { ++ticks; };
  const auto start = std::chrono::steady_clock::now();
  ring.SetEnabled(true);
  ASSERT_TRUE(test::WaitUntil([&] { return ticks == 6; }));
  // Six ticks 50 ms apart, each at most half a frame early.
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(290));
}

// Each tick paints its rectangle only, at once (a posted update would wake
// the idle loop a second time), and that rectangle is enough for the screen
// to show what a full repaint would.
TEST_F(CircularProgressTest, TickRepaintsOnlyItsRectangleAtOnce) {
  struct PaintLog : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) rects.push_back(static_cast<QPaintEvent*>(event)->rect());
      return false;
    }
    std::vector<QRect> rects;
  };
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{32, 32}, {33, 31}, {200, 100}}) {
    TForm form;
    TCircularProgress ring(&form);
    ring.SetBounds(10, 5, w, h);
    ring.SetEnabled(false);
    form.Show();
    QCoreApplication::processEvents();
    PaintLog log, parentLog;
    ring.Widget()->installEventFilter(&log);
    ring.Widget()->parentWidget()->installEventFilter(&parentLog);
    QImage screen = Picture(ring);
    int tick = 0;
    RunTicks(ring, 25, [&] {
      const TRect r = TickUpdateRect(ring.Cycle().CurrentSegment(), w, h);
      const QRect rect(r.Left, r.Top, r.Width(), r.Height());
      if (++tick > 1) {  // the first tick also paints what enabling the ring asked for
        EXPECT_EQ(log.rects, std::vector<QRect>{rect}) << "painted before the tick is announced";
        QCoreApplication::processEvents();
        EXPECT_EQ(log.rects, std::vector<QRect>{rect}) << "and nothing more afterwards";
      }
      EXPECT_TRUE(parentLog.rects.empty()) << "the ring covers its rectangle; the parent stays as it is";
      QPainter(&screen).fillRect(rect, Qt::magenta);  // whatever was there
      ring.Widget()->render(&screen, rect.topLeft(), QRegion(rect), QWidget::DrawChildren);
      ASSERT_EQ(screen, Picture(ring)) << w << " x " << h << ", segment "
                                       << ring.Cycle().CurrentSegment();
      log.rects.clear();  // rendering the picture paints too
    });
  }
}

// One letter per segment 1..12: T transition, A active, I inactive, P progress.
std::string Ring(const TSegmentCycle& cycle, int progress) {
  const TProgressAppearance look;
  std::string text;
  for (int i = 1; i <= kSegmentCount; ++i) {
    const TColor c = SegmentColor(i, cycle, progress, look);
    text += c == look.TransitionSegmentColor() ? 'T'
            : c == look.ActiveSegmentColor()   ? 'A'
            : c == look.ProgressSegmentColor() ? 'P'
                                               : 'I';
  }
  return text;
}

TEST(CircularProgressLayout, SweepHoleAndTickRectangles) {
  EXPECT_EQ(SegmentSweep(32, 32), 22);
  EXPECT_EQ(SegmentSweep(40, 40), 23);
  EXPECT_EQ(SegmentSweep(60, 60), 24);
  EXPECT_EQ(SegmentSweep(200, 100), 25);  // the smaller side decides
  EXPECT_EQ(SegmentSweep(200, 200), 26);
  // 32 · 7/30 = 7.47 and 32 − 32 · 14/30 = 17.07, truncated after dividing.
  EXPECT_EQ(HoleRect(RingRect(32, 32, false)), (TRect{7, 7, 24, 24}));
  EXPECT_EQ(HoleRect(RingRect(200, 100, false)), (TRect{46, 23, 152, 76}));
  EXPECT_EQ(RingRect(32, 32, true), (TRect{0, 0, 31, 31}));

  // Odd sides: the halves round down (16 and 15).
  const TRect expected[kSegmentCount] = {
      {0, 0, 33, 15},  {16, 0, 33, 15},  {16, 0, 33, 15}, {16, 0, 33, 31},
      {16, 15, 33, 31}, {16, 15, 33, 31}, {0, 15, 33, 31}, {0, 15, 20, 31},
      {0, 15, 20, 31}, {0, 0, 16, 31},   {0, 0, 16, 19},  {0, 0, 16, 19}};
  for (int i = 0; i < kSegmentCount; ++i) {
    EXPECT_EQ(TickUpdateRect(i + 1, 33, 31), expected[i]) << "segment " << i + 1;
  }
}

TEST(CircularProgressSegments, ProgressCount) {
  EXPECT_EQ(ProgressSegments(0, 100, 0), -1);
  EXPECT_EQ(ProgressSegments(0, 100, 100), 12);
  EXPECT_EQ(ProgressSegments(0, 100, 50), 6);  // on a boundary despite the float step
  EXPECT_EQ(ProgressSegments(0, 100, 99), 11);
  // Counted from Min: 20 % of 50..100 is two segments, not 60 / (50 / 12).
  EXPECT_EQ(ProgressSegments(50, 100, 60), 2);
  EXPECT_EQ(ProgressSegments(7, 7, 7), 12);
}

TEST(CircularProgressSegments, FillAndEmptyOverTwentyFourTicks) {
  TSegmentCycle cycle;
  const auto advance = [&](int ticks) {
    for (int i = 0; i < ticks; ++i) cycle.Advance();
    return Ring(cycle, -1);
  };
  EXPECT_EQ(Ring(cycle, -1), "TIIIIIIIIIII");
  EXPECT_EQ(advance(1), "ATIIIIIIIIII");
  EXPECT_EQ(advance(10), "AAAAAAAAAAAT");
  EXPECT_EQ(advance(1), "TAAAAAAAAAAA");  // tick 12 starts the emptying round
  EXPECT_FALSE(cycle.FillPhase());
  EXPECT_EQ(advance(1), "ITAAAAAAAAAA");
  EXPECT_EQ(advance(10), "IIIIIIIIIIIT");
  EXPECT_EQ(advance(1), "TIIIIIIIIIII");  // tick 24: the start picture
  EXPECT_TRUE(cycle.FillPhase());

  advance(4);  // running segment 5: progress shows where the ring is not active
  EXPECT_EQ(Ring(cycle, 12), "AAAATPPPPPPP");
  EXPECT_EQ(Ring(cycle, 7), "AAAATPPIIIII");
  advance(12);
  EXPECT_EQ(Ring(cycle, 2), "PPIITAAAAAAA");
}

}  // namespace
}  // namespace kurvex
