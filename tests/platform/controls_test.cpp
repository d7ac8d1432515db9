// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QBitmap>
#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QFont>
#include <QFontInfo>
#include <QFrame>
#include <QHelpEvent>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>

#include "platform/drawing/bitmap.h"
#include "platform/system/error.h"
#include "platform/windows/checkbox.h"
#include "platform/windows/combobox.h"
#include "platform/windows/control.h"
#include "platform/windows/form.h"
#include "platform/windows/groupbox.h"
#include "platform/windows/label.h"
#include "platform/windows/menu.h"
#include "platform/windows/panel.h"
#include "platform/windows/radiobutton.h"
#include "platform/windows/screenplacement.h"
#include "platform/windows/speedbutton.h"
#include "platform/windows/statusbar.h"
#include "tests/support/qtapp.h"
#include "tests/support/waituntil.h"

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

using FormTest = test::QtAppTest;

TEST_F(FormTest, OnShowRunsEachTimeAndOnCloseDecidesWhatHappens) {
  TForm form;
  form.SetCaption("  K u r v e x");
  int shows = 0;
  form.OnShow = [&](TObject* sender) {
    EXPECT_EQ(sender, &form);
    ++shows;
  };
  TCloseAction answer = caNone;
  int closes = 0;
  form.OnClose = [&](TObject*, TCloseAction& action) {
    EXPECT_EQ(action, caHide);
    action = answer;
    ++closes;
  };
  EXPECT_FALSE(form.Visible());
  form.Show();
  EXPECT_EQ(shows, 1);
  EXPECT_EQ(form.Widget()->windowTitle(), "  K u r v e x");

  form.Close();
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(form.Visible()) << "caNone keeps the window";
  answer = caHide;
  form.Close();
  EXPECT_FALSE(form.Visible());

  form.Show();
  EXPECT_EQ(shows, 2);
  form.Hide();
}

TEST_F(FormTest, MenuBarSitsAboveTheClientAreaAndAnchorsFollowTheWindow) {
  TForm form;
  TMainMenu menu(form);
  menu.Add("Datei").Add("Beenden");
  form.SetBounds(100, 100, 900, 575);
  const int bar = menu.MenuBar()->sizeHint().height();
  EXPECT_GT(bar, 0);
  EXPECT_EQ(form.ClientWidget()->geometry(), QRect(0, bar, 900, 575 - bar));
  EXPECT_EQ(form.ClientHeight(), 575 - bar);

  TPanel top(&form);
  top.SetHeight(41);
  top.SetAlign(alTop);
  TStatusBar status(&form);
  TPanel chart(&form);
  chart.SetBounds(232, 119, 657, 371);
  chart.SetAnchors(akLeft | akTop | akRight | akBottom);

  form.SetBounds(100, 100, 1000, 600);
  EXPECT_EQ(top.Width(), 1000);
  EXPECT_EQ(status.Top(), form.ClientHeight() - status.Height());
  EXPECT_EQ(chart.Width(), 757);
  EXPECT_EQ(chart.Height(), 396);

  form.SetClientSize(800, 500);
  EXPECT_EQ(form.ClientWidth(), 800);
  EXPECT_EQ(form.ClientHeight(), 500);
}

TEST_F(FormTest, SizeLimitsTheFixedBorderAndCentringOverAnotherWindow) {
  TForm form;
  form.SetSizeConstraints(900, 575, 2056, 2000);
  form.SetBounds(0, 0, 400, 300);
  EXPECT_EQ(form.Width(), 900);
  EXPECT_EQ(form.Height(), 575);
  form.SetBounds(0, 0, 3000, 3000);
  EXPECT_EQ(form.Width(), 2056);

  TForm info;
  info.SetBorderStyle(bsSingle);
  info.SetBorderIcons(0);
  info.SetFormStyle(fsStayOnTop);
  info.SetClientSize(252, 247);
  EXPECT_EQ(info.Widget()->minimumSize(), info.Widget()->maximumSize());
  EXPECT_EQ(info.ClientWidth(), 252);
  EXPECT_TRUE(info.Widget()->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(info.Widget()->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(info.Widget()->windowFlags() & Qt::WindowMaximizeButtonHint);

  info.SetBounds(info.Left(), info.Top(), 300, 260);  // the program may still resize it
  EXPECT_EQ(info.Width(), 300);

  form.SetBounds(393, 166, 900, 575);
  info.CenterOver(form);
  EXPECT_EQ(info.Left(), 393 + 450 - 150);
  EXPECT_EQ(info.Top(), 166 + 287 - 130);
}

TEST_F(FormTest, MenuItemsRunTheirHandlersAtTheTopLevelAndInSubmenus) {
  TForm form;
  TMainMenu menu(form);
  TMenuItem& file = menu.Add("Datei");
  TMenuItem& quit = file.Add("Beenden");
  TMenuItem& info = menu.Add("Info");
  quit.SetName("Einstellungen1");
  std::vector<std::string> calls;
  quit.OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, &quit);
    calls.push_back("Beenden");
  };
  info.OnClick = [&](TObject*) { calls.push_back("Info"); };

  ASSERT_EQ(menu.MenuBar()->actions().size(), 2);
  EXPECT_NE(file.Action()->menu(), nullptr);
  EXPECT_EQ(info.Action()->menu(), nullptr) << "a leaf at the top acts by itself";
  EXPECT_EQ(quit.Action()->objectName(), "Einstellungen1");

  info.Action()->trigger();  // as when chosen in the menu bar
  quit.Action()->trigger();
  quit.SetEnabled(false);
  quit.Action()->trigger();  // a disabled item cannot be chosen ...
  quit.Click();              // ... but can be clicked from code
  EXPECT_EQ(calls, (std::vector<std::string>{"Info", "Beenden", "Beenden"}));
}

TEST_F(FormTest, ContainersAndTheirContents) {
  TForm form;
  form.SetBounds(0, 0, 600, 400);
  TGroupBox group(&form);
  group.SetCaption("  Schnittstelle  ");
  EXPECT_EQ(group.AccessibleName(), "Schnittstelle");
  TComboBox port(&group);
  port.SetItems({"0", "1", "2"});
  port.SetText("5");
  port.SetDropDownCount(16);
  EXPECT_EQ(port.DropDownCount(), 16);
  port.SetItems({"7", "8"});
  EXPECT_EQ(port.Text(), "5") << "new items leave the text alone";
  EXPECT_EQ(static_cast<QComboBox*>(port.Widget())->insertPolicy(), QComboBox::NoInsert);

  TLabel portLabel(&group);
  portLabel.SetCaption("Com Port");
  portLabel.SetFocusControl(&port);
  EXPECT_EQ(port.AccessibleName(), "Com Port");

  group.SetEnabled(false);
  EXPECT_FALSE(port.Widget()->isEnabled());
  EXPECT_TRUE(port.Enabled());
  group.SetEnabled(true);
  EXPECT_TRUE(port.Widget()->isEnabled());

  TStatusBar status(&form);
  for (int i = 0; i < 4; ++i) status.Panels().Add(200);
  EXPECT_EQ(status.Panels()[1].Width(), 200);
  EXPECT_EQ(status.Width(), 600);

  TPanel bar(&form);
  bar.SetBevelInner(bvRaised);
  bar.SetBevelOuter(bvLowered);
  EXPECT_EQ(static_cast<QFrame*>(bar.Widget())->frameShape(), QFrame::Box);
  EXPECT_EQ(static_cast<QFrame*>(bar.Widget())->frameShadow(), QFrame::Sunken);
  bar.SetBevelInner(bvNone);
  bar.SetBevelOuter(bvNone);
  EXPECT_EQ(static_cast<QFrame*>(bar.Widget())->frameShape(), QFrame::NoFrame);
}

// Panels that grow with their text are the window's (its status bar tests);
// a fixed panel keeps its width, the one that fills the rest shortens the
// path in its text and shows it whole as a tooltip.
TEST_F(FormTest, StatusPanelsKeepTheirWidthOrShortenThePathInTheirText) {
  TForm form;
  form.SetBounds(0, 0, 500, 200);
  TStatusBar status(&form);
  TStatusPanel& fixed = status.Panels().Add(100);
  TStatusPanel& port = status.Panels().Add(100, pwFill);
  form.Show();
  fixed.SetText("Sample-Anzahl: 9223372036854775807");
  QLabel* label = status.Widget()->findChildren<QLabel*>().at(1);
  const auto tooltip = [&] {
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), label->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(label, &help);
    return help.isAccepted() ? QToolTip::text().toStdString() : std::string();
  };
  port.SetText("COM3 → ", "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", " (FTDI FT232R USB UART)");
  ASSERT_TRUE(test::WaitUntil([&] { return label->text().startsWith("COM3 → /dev/") && label->text().contains("…"); }))
      << label->text().toStdString();
  EXPECT_TRUE(label->text().endsWith("-port0 (FTDI FT232R USB UART)")) << label->text().toStdString();
  EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width());
  EXPECT_EQ(tooltip(), port.Text());
  EXPECT_EQ(label->accessibleName().toStdString(), port.Text());
  port.SetText("COM3: kein Gerät");
  ASSERT_TRUE(test::WaitUntil([&] { return label->text().toStdString() == port.Text(); }));
  EXPECT_EQ(tooltip(), "");  // nothing is cut, nothing to add
  EXPECT_EQ(fixed.Width(), 100);
}

// A panel that grows with its text measures a count again only when more
// than its digits changed, and again in a new font.
TEST_F(FormTest, AGrowingPanelFollowsItsTextsWidthAsItsDigitsChange) {
  TForm form;
  form.SetBounds(0, 0, 500, 200);
  TStatusBar status(&form);
  TStatusPanel& count = status.Panels().Add(1, pwText);
  form.Show();
  QLabel* label = status.Widget()->findChildren<QLabel*>().at(0);
  const auto least = [&](const std::string& text) {
    count.SetText(text);
    EXPECT_TRUE(test::WaitUntil([&] { return label->text().toStdString() == text; })) << text;
    return label->minimumWidth();
  };
  const int threeDigits = least("999");
  EXPECT_EQ(least("123"), threeDigits);
  EXPECT_GT(least("1000"), threeDigits);
  EXPECT_GT(least("WWW: 1"), least("iii: 1")) << "letters are measured";
  least("1000");
  QFont larger = label->font();
  larger.setPixelSize(4 * QFontInfo(larger).pixelSize());
  label->setFont(larger);
  // A framed label indents its text by an "x" of its font.
  const QFontMetrics metrics = label->fontMetrics();
  EXPECT_GE(least("2000"), metrics.horizontalAdvance("2000") + metrics.horizontalAdvance("x"))
      << "a new font measures anew";
}

TEST_F(FormTest, LabelsSizeThemselvesToTheirText) {
  TForm form;
  TLabel label(&form);
  label.SetCaption("Graph X max");
  const int narrow = label.Width();
  label.SetCaption("Daten Offset (nach Skalierung)");
  EXPECT_GT(label.Width(), narrow);
  const int oneLine = label.Height();
  label.SetFontHeight(-23);
  EXPECT_GT(label.Height(), oneLine) << "a font change resizes an auto-sized label";

  label.SetAutoSize(false);
  label.SetBounds(10, 10, 50, 20);
  label.SetCaption("Aktueller Sample-Wert");
  EXPECT_EQ(label.Width(), 50);

  label.SetWordWrap(true);
  label.SetAutoSize(true);
  EXPECT_EQ(label.Width(), 50) << "a wrapped label keeps its width";
  EXPECT_GT(label.Height(), 20);

  label.SetAlignment(taCenter);
  EXPECT_TRUE(static_cast<QLabel*>(label.Widget())->alignment() & Qt::AlignHCenter);
}

// A bare windowed control; an optional minimum width shows that layout
// changes come through the virtual SetBounds.
class Box : public TWinControl {
 public:
  explicit Box(TWinControl* parent = nullptr, int minWidth = 0)
      : TWinControl(new QWidget, parent), m_minWidth(minWidth) {}

  void SetBounds(int left, int top, int width, int height) override {
    ++setBoundsCalls;
    TWinControl::SetBounds(left, top, std::max(width, m_minWidth), height);
  }

  int setBoundsCalls = 0;

 private:
  int m_minWidth;
};

struct Bounds {
  int left, top, width, height;
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

Bounds BoundsOf(const TWinControl& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

void PrintTo(const Bounds& b, std::ostream* os) {
  *os << "(" << b.left << ", " << b.top << ", " << b.width << " x " << b.height << ")";
}

using WinControlTest = test::QtAppTest;

TEST_F(WinControlTest, AnchoredChildrenKeepTheirDistancesWhenTheParentResizes) {
  Box parent;
  parent.SetBounds(0, 0, 400, 300);
  Box stretched(&parent);
  stretched.SetBounds(10, 10, 100, 50);
  stretched.SetAnchors(akLeft | akTop | akRight | akBottom);
  Box right(&parent);
  right.SetBounds(300, 10, 50, 20);
  right.SetAnchors(akTop | akRight);
  Box bottom(&parent);
  bottom.SetBounds(20, 250, 30, 30);
  bottom.SetAnchors(akLeft | akBottom);
  Box fixed(&parent);
  fixed.SetBounds(5, 5, 10, 10);
  Box insisting(&parent, /*minWidth=*/80);  // layout goes through its virtual SetBounds
  insisting.SetBounds(10, 100, 100, 50);
  insisting.SetAnchors(akLeft | akTop | akRight);

  parent.SetBounds(0, 0, 500, 360);
  EXPECT_EQ(BoundsOf(stretched), (Bounds{10, 10, 200, 110}));
  EXPECT_EQ(BoundsOf(right), (Bounds{400, 10, 50, 20}));
  EXPECT_EQ(BoundsOf(bottom), (Bounds{20, 310, 30, 30}));
  EXPECT_EQ(BoundsOf(fixed), (Bounds{5, 5, 10, 10}));

  parent.SetBounds(0, 0, 350, 300);  // asks `insisting` for width 50
  EXPECT_EQ(insisting.Width(), 80);
  parent.SetBounds(0, 0, 400, 300);  // back to the original distance, not 80 + 50
  EXPECT_EQ(insisting.Width(), 100);
  EXPECT_EQ(BoundsOf(stretched), (Bounds{10, 10, 100, 50}));
  EXPECT_EQ(BoundsOf(right), (Bounds{300, 10, 50, 20}));
}

TEST_F(WinControlTest, AToolkitResizeOfAShownParentMovesAnchoredChildren) {
  Box parent;
  parent.SetBounds(50, 50, 300, 200);
  Box child(&parent);
  child.SetBounds(250, 150, 40, 40);
  child.SetAnchors(akRight | akBottom);
  parent.Show();
  QApplication::processEvents();
  parent.setBoundsCalls = 0;

  parent.Widget()->resize(320, 230);  // as when the user drags the frame
  QApplication::processEvents();

  EXPECT_EQ(parent.setBoundsCalls, 1);
  EXPECT_EQ(BoundsOf(child), (Bounds{270, 180, 40, 40}));
  parent.Hide();
}

TEST_F(WinControlTest, AlignedChildrenDockToTheEdgesInOrder) {
  Box parent;
  parent.SetBounds(0, 0, 400, 300);
  Box top(&parent);
  top.SetHeight(41);
  top.SetAlign(alTop);
  Box status(&parent);
  status.SetHeight(20);
  status.SetAlign(alBottom);
  Box left(&parent);
  left.SetWidth(60);
  left.SetAlign(alLeft);
  Box client(&parent);
  client.SetAlign(alClient);

  EXPECT_EQ(BoundsOf(top), (Bounds{0, 0, 400, 41}));
  EXPECT_EQ(BoundsOf(status), (Bounds{0, 280, 400, 20}));
  EXPECT_EQ(BoundsOf(left), (Bounds{0, 41, 60, 239}));
  EXPECT_EQ(BoundsOf(client), (Bounds{60, 41, 340, 239}));

  parent.SetBounds(0, 0, 500, 400);
  EXPECT_EQ(BoundsOf(top), (Bounds{0, 0, 500, 41}));
  EXPECT_EQ(BoundsOf(status), (Bounds{0, 380, 500, 20}));
  EXPECT_EQ(BoundsOf(client), (Bounds{60, 41, 440, 339}));

  top.SetHeight(60);  // an aligned control keeps its new height and the rest moves
  EXPECT_EQ(BoundsOf(top), (Bounds{0, 0, 500, 60}));
  EXPECT_EQ(BoundsOf(client), (Bounds{60, 60, 440, 320}));

  top.Hide();  // a hidden aligned control leaves its space to the others
  EXPECT_EQ(BoundsOf(left), (Bounds{0, 0, 60, 380}));
}

TEST_F(WinControlTest, ReparentingMovesTheChildBetweenLayouts) {
  Box first;
  first.SetBounds(0, 0, 200, 100);
  Box second;
  second.SetBounds(0, 0, 300, 150);
  Box child(&first);
  child.SetHeight(30);
  child.SetAlign(alTop);
  EXPECT_EQ(child.Width(), 200);

  child.SetParent(&second);
  EXPECT_EQ(child.Parent(), &second);
  EXPECT_EQ(child.Widget()->parentWidget(), second.ClientWidget());
  EXPECT_EQ(child.Width(), 300);
  first.SetBounds(0, 0, 250, 100);  // no longer the child's parent
  EXPECT_EQ(child.Width(), 300);
}

TEST_F(WinControlTest, StockAndRegisteredCursors) {
  Box parent;
  Box control(&parent);
  control.SetCursor(crHandPoint);
  EXPECT_EQ(control.Cursor(), crHandPoint);
  EXPECT_EQ(control.Widget()->cursor().shape(), Qt::PointingHandCursor);

  const char* rows[32];
  const std::string black(32, '#'), clear(32, ' ');
  for (int y = 0; y < 32; ++y) rows[y] = y < 4 ? black.c_str() : clear.c_str();
  RegisterCursor(7, rows, 3, 2);
  control.SetCursor(7);
  const QCursor cursor = control.Widget()->cursor();
  EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
  EXPECT_EQ(cursor.hotSpot(), QPoint(3, 2));
  const QImage mask = cursor.mask().toImage();
  EXPECT_NE(mask.pixelIndex(0, 0), mask.pixelIndex(0, 10));  // opaque top, clear below

  control.SetCursor(crDefault);  // back to the parent's cursor
  EXPECT_FALSE(control.Widget()->testAttribute(Qt::WA_SetCursor));
  control.SetCursor(99);  // never registered
  EXPECT_FALSE(control.Widget()->testAttribute(Qt::WA_SetCursor));
}

TEST_F(WinControlTest, FontAttributesAreInheritedUnlessSet) {
  Box parent;
  Box child(&parent);
  parent.SetFontName("DejaVu Sans");
  parent.SetFontHeight(-13);
  child.SetFontBold(true);
  EXPECT_EQ(child.FontName(), "DejaVu Sans");
  EXPECT_EQ(child.FontHeight(), -13);
  EXPECT_TRUE(child.FontBold());
  EXPECT_FALSE(parent.FontBold());
  child.SetFontHeight(-18);
  EXPECT_EQ(child.FontHeight(), -18);
  EXPECT_EQ(parent.FontHeight(), -13);
}

QRgb ToQRgbOf(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)) & 0xFFFFFFu;
}

// How a handler's changes to other controls nest, and that checking a radio
// button unchecks its siblings silently, the window's view controls show.
class ButtonsTest : public test::QtAppTest {
 protected:
  void SetUp() override {
    panel.SetBounds(0, 0, 300, 200);
    panel.Show();
  }
  void TearDown() override { panel.Hide(); }

  // Records "<name>:<checked>" for every handler call.
  template <class Button>
  void Record(Button& button, const std::string& name) {
    button.OnClick = [this, &button, name](TObject* sender) {
      EXPECT_EQ(sender, &button);
      calls.push_back(name + ":" + (button.Checked() ? "1" : "0"));
    };
  }

  TPanel panel{nullptr};
  std::vector<std::string> calls;
};

TEST_F(ButtonsTest, UserClicksOnACheckBoxToggleAndRunTheHandlerOnce) {
  TCheckBox box(&panel);
  box.SetBounds(10, 10, 100, 20);
  box.SetCaption("Trend");
  Record(box, "box");
  test::MouseClick(box.Widget());
  test::MouseClick(box.Widget());
  EXPECT_EQ(calls, (std::vector<std::string>{"box:1", "box:0"}));

  box.SetEnabled(false);
  test::MouseClick(box.Widget());
  EXPECT_EQ(calls.size(), 2u);
  EXPECT_FALSE(box.Checked());
}

TEST_F(ButtonsTest, AUserClickOnARadioButtonChecksItOnlyWhenItWasUnchecked) {
  TRadioButton normal(&panel), zoom(&panel);
  normal.SetBounds(10, 10, 100, 20);
  zoom.SetBounds(10, 40, 100, 20);
  const QPoint onIndicator(6, 10);
  normal.SetChecked(true);
  Record(normal, "normal");
  Record(zoom, "zoom");

  test::MouseClick(zoom.Widget(), onIndicator);
  test::MouseClick(zoom.Widget(), onIndicator);  // a checked button stays checked
  EXPECT_EQ(calls, (std::vector<std::string>{"zoom:1"}));
  EXPECT_TRUE(zoom.Checked());
  EXPECT_FALSE(normal.Checked());

  normal.SetEnabled(false);
  test::MouseClick(normal.Widget(), onIndicator);
  EXPECT_FALSE(normal.Checked());
}

TEST_F(ButtonsTest, SpeedButtonClickFromCodeRunsEvenWhenDisabled) {
  TSpeedButton stop(&panel);
  stop.SetBounds(10, 10, 115, 36);
  int clicks = 0;
  stop.OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, &stop);
    ++clicks;
  };
  stop.SetEnabled(false);
  EXPECT_EQ(clicks, 0);
  stop.Click();
  EXPECT_EQ(clicks, 1);
  test::MouseClick(stop.Widget());
  EXPECT_EQ(clicks, 1) << "the user cannot click a disabled button";
  stop.SetEnabled(true);
  test::MouseClick(stop.Widget());
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(stop.Widget()->focusPolicy(), Qt::TabFocus) << "reached by Tab, never focused by a click";
}

TEST_F(ButtonsTest, ErrorsPropagateFromCodeButAreReportedFromUserClicks) {
  TCheckBox box(&panel);
  box.SetBounds(10, 10, 100, 20);
  box.OnClick = [](TObject*) { throw EKurvexError("'1.000,5' ist kein gültiger Gleitkommawert"); };
  EXPECT_THROW(box.SetChecked(true), EKurvexError);

  std::vector<std::string> reported;
  SetErrorReporter([&](const EKurvexError& e) { reported.push_back(e.what()); });
  test::MouseClick(box.Widget(), {6, 10});
  SetErrorReporter(nullptr);
  EXPECT_EQ(reported, (std::vector<std::string>{"'1.000,5' ist kein gültiger Gleitkommawert"}));
}

TEST_F(ButtonsTest, CaptionsGiveAccessibleNamesUnlessOneIsSet) {
  TSpeedButton start(&panel);
  start.SetCaption(" &Start");
  EXPECT_EQ(start.Caption(), " &Start");
  EXPECT_EQ(start.AccessibleName(), "Start");
  TCheckBox grid(&panel);
  grid.SetCaption(" Show Grid");
  EXPECT_EQ(grid.AccessibleName(), "Show Grid");
  TRadioButton normal(&panel);
  normal.SetAccessibleName("Normalmodus");
  normal.SetCaption("Normal");
  EXPECT_EQ(normal.AccessibleName(), "Normalmodus");
}

TEST_F(ButtonsTest, SpeedButtonGlyphHasANormalAndAGreyDisabledState) {
  const std::string ink(16, '#'), blank(16, ' ');
  const char* rows[16];
  for (int y = 0; y < 16; ++y) rows[y] = y == 8 ? ink.c_str() : blank.c_str();
  TSpeedButton button(&panel);
  button.SetGlyph(rows, clBlue);
  const QIcon icon = static_cast<QToolButton*>(button.Widget())->icon();
  const QImage normal = icon.pixmap(16, 16, QIcon::Normal).toImage();
  const QImage disabled = icon.pixmap(16, 16, QIcon::Disabled).toImage();
  EXPECT_EQ(normal.pixel(3, 8), 0xFF0000FFu);
  EXPECT_EQ(qAlpha(normal.pixel(3, 2)), 0);
  EXPECT_EQ(disabled.pixel(3, 8), 0xFF000000u | ToQRgbOf(clGrayText));
}

using ScreenPlacementTest = test::QtAppTest;

const QRect kDesign(393, 166, 900, 575);

// Where the window system puts a window's frame: Qt hands it the client
// area's position and size, each scaled and rounded, and the frame around.
QRect DeviceFrame(const QPoint& place, const QSize& size, const QMargins& frame, qreal scale) {
  return QRect(qRound(place.x() * scale), qRound(place.y() * scale), qRound(size.width() * scale),
               qRound(size.height() * scale))
      .marginsAdded(frame);
}

// A screen area of `device` pixels as Qt reports it in pixels.
QRect InPixels(const QRect& device, qreal scale) {
  return {qRound(device.x() / scale), qRound(device.y() / scale), qRound(device.width() / scale),
          qRound(device.height() / scale)};
}

// A window opens at its design position when it fits there, otherwise
// moved the shortest way onto the screen's free area.
TEST_F(ScreenPlacementTest, AWindowOpensWhollyOnItsScreen) {
  EXPECT_EQ(PlacedWithin(kDesign, QRect(0, 0, 1600, 1000)), QPoint(393, 166));
  EXPECT_EQ(PlacedWithin(kDesign, QRect(0, 0, 1280, 800)), QPoint(380, 166));
  EXPECT_EQ(PlacedWithin(kDesign, QRect(0, 30, 1280, 700)), QPoint(380, 155)) << "below a top panel";
  EXPECT_EQ(PlacedWithin(QRect(-50, -20, 300, 200), QRect(0, 30, 1280, 700)), QPoint(0, 30));
  EXPECT_EQ(PlacedWithin(kDesign, QRect(0, 0, 800, 500)), QPoint(0, 0)) << "too large: its top left on the screen";

  const QRect screen = QApplication::primaryScreen()->availableGeometry();
  TForm fits, reaches;
  fits.SetBounds(screen.x() + 10, screen.y() + 20, 300, 200);
  reaches.SetBounds(screen.right() - 100, screen.bottom() - 50, 300, 200);
  fits.Show();
  reaches.Show();
  EXPECT_EQ(QPoint(fits.Left(), fits.Top()), QPoint(screen.x() + 10, screen.y() + 20));
  EXPECT_EQ(reaches.Widget()->frameGeometry().bottomRight(), screen.bottomRight());
  EXPECT_EQ(reaches.Width(), 300) << "moved, not resized";
}

// A window that fits the screen's pixels can cross its edge by a device
// pixel at 150 %, where pixels round to device pixels; in device pixels the
// frame lies on the free area at every scale.
TEST_F(ScreenPlacementTest, TheFrameFitsTheScreensDevicePixelsAtEveryScale) {
  struct Case {
    qreal scale;
    QRect deviceArea;
    QRect expected;  // the frame in device pixels
  };
  const Case cases[] = {
      {1, {0, 0, 1600, 1000}, {393 - 2, 166 - 2, 904, 579}},
      {1.5, {0, 0, 1600, 1000}, {246, 133, 1354, 867}},
      {1.5, {0, 40, 1600, 960}, {246, 133, 1354, 867}},
      {1.5, {0, 40, 1600, 900}, {246, 73, 1354, 867}},
      {1.5, {0, 0, 1280, 800}, {0, 0, 1354, 867}},
      {2, {0, 0, 1600, 1000}, {0, 0, 1804, 1154}},
      {2, {0, 0, 2000, 1400}, {194, 244, 1804, 1154}},  // 1999 or 2000 wide reads as 1000
  };
  for (const Case& c : cases) {
    // Two device pixels of frame, as Qt reports them in pixels.
    const int framePixels = qRound(2 / c.scale);
    const QPoint place = DevicePlacedWithin(kDesign, QMargins(framePixels, framePixels, framePixels, framePixels),
                                            InPixels(c.deviceArea, c.scale), c.scale);
    const QRect frame = DeviceFrame(place, kDesign.size(), QMargins(2, 2, 2, 2), c.scale);
    EXPECT_EQ(frame, c.expected) << c.scale << " on " << c.deviceArea.width() << " x " << c.deviceArea.height();
  }
}

// The screen of 1600 x 1000 device pixels (tests/platform/data) at 150 %.
TEST_F(ScreenPlacementTest, TheWindowLiesOnTheScreenAtOneAndAHalfTheResolution) {
  QScreen* screen = QApplication::primaryScreen();
  const qreal scale = screen->devicePixelRatio();
  if (scale != 1.5 || screen->availableGeometry() != QRect(0, 0, 1067, 667)) {
    GTEST_SKIP() << "needs a 1600 x 1000 screen at QT_SCALE_FACTOR=1.5";
  }
  TForm form;
  form.SetBounds(kDesign.x(), kDesign.y(), kDesign.width(), kDesign.height());
  form.Show();
  const QRect geometry = form.Widget()->geometry();
  const QRect frame = form.Widget()->frameGeometry();
  const auto device = [scale](int pixels) { return int(std::ceil(pixels * scale)); };
  const QMargins deviceFrame(device(geometry.left() - frame.left()), device(geometry.top() - frame.top()),
                             device(frame.right() - geometry.right()), device(frame.bottom() - geometry.bottom()));
  EXPECT_TRUE(QRect(0, 0, 1600, 1000).contains(DeviceFrame(geometry.topLeft(), geometry.size(), deviceFrame, scale)));
  EXPECT_EQ(geometry.size(), kDesign.size()) << "moved, not resized";
}

}  // namespace
}  // namespace kurvex
