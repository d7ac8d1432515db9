// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QToolButton>
#include <QWidget>

#include <string>
#include <vector>

#include "platform/windows/checkbox.h"
#include "platform/system/error.h"
#include "platform/windows/panel.h"
#include "platform/windows/radiobutton.h"
#include "platform/windows/speedbutton.h"
#include "tests/support/qtapp.h"

namespace kurvex {
namespace {

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
