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

TEST_F(ButtonsTest, CheckBoxRunsItsHandlerOnlyWhenTheStateChanges) {
  TCheckBox box(&panel);
  Record(box, "box");
  box.SetChecked(false);
  EXPECT_TRUE(calls.empty());
  box.SetChecked(true);
  box.SetChecked(true);
  box.SetChecked(false);
  EXPECT_EQ(calls, (std::vector<std::string>{"box:1", "box:0"}));

  calls.clear();
  box.SetEnabled(false);
  box.SetEnabled(true);
  EXPECT_TRUE(calls.empty());
}

TEST_F(ButtonsTest, HandlersThatChangeOtherControlsNestAsCalls) {
  // Unchecking the trend box checks the normal radio button, whose handler
  // in turn unchecks the log box: each runs once, in call order.
  TCheckBox trend(&panel), log(&panel);
  TRadioButton normal(&panel), zoom(&panel);
  zoom.SetChecked(true);
  trend.SetChecked(true);
  log.SetChecked(true);
  trend.OnClick = [&](TObject*) {
    calls.push_back("trend");
    if (!trend.Checked()) normal.SetChecked(true);
    calls.push_back("trend done");
  };
  normal.OnClick = [&](TObject*) {
    calls.push_back("normal");
    log.SetChecked(false);
  };
  Record(log, "log");
  Record(zoom, "zoom");

  trend.SetChecked(false);
  EXPECT_EQ(calls, (std::vector<std::string>{"trend", "normal", "log:0", "trend done"}));
  EXPECT_TRUE(normal.Checked());
  EXPECT_FALSE(zoom.Checked());
  EXPECT_FALSE(log.Checked());
}

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

TEST_F(ButtonsTest, CheckingARadioButtonUnchecksItsSiblingsSilently) {
  TRadioButton normal(&panel), zoom(&panel);
  TPanel other(&panel);
  TRadioButton elsewhere(&other);
  Record(normal, "normal");
  Record(zoom, "zoom");
  Record(elsewhere, "elsewhere");
  elsewhere.SetChecked(true);
  normal.SetChecked(true);
  calls.clear();

  zoom.SetChecked(true);
  EXPECT_EQ(calls, (std::vector<std::string>{"zoom:1"}));
  EXPECT_FALSE(normal.Checked());
  EXPECT_TRUE(elsewhere.Checked()) << "another parent is another group";

  zoom.SetChecked(true);  // already checked
  zoom.SetChecked(false);
  EXPECT_EQ(calls.size(), 1u);
  EXPECT_FALSE(zoom.Checked());
  EXPECT_FALSE(normal.Checked()) << "all buttons of a group may be unchecked";
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
