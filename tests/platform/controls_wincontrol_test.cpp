// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QBitmap>
#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QToolButton>
#include <QWidget>

#include "platform/system/error.h"
#include "platform/windows/checkbox.h"
#include "platform/windows/control.h"
#include "platform/windows/panel.h"
#include "platform/windows/radiobutton.h"
#include "platform/windows/speedbutton.h"
#include "tests/support/qtapp.h"

namespace kurvex {
namespace {

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

}  // namespace
}  // namespace kurvex
