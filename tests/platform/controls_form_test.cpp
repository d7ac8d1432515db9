// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolTip>
#include <QWidget>

#include <string>
#include <vector>

#include "platform/windows/combobox.h"
#include "platform/windows/form.h"
#include "platform/windows/groupbox.h"
#include "platform/windows/label.h"
#include "platform/windows/menu.h"
#include "platform/windows/panel.h"
#include "platform/windows/statusbar.h"
#include "tests/support/qtapp.h"
#include "tests/support/waituntil.h"

namespace kurvex {
namespace {

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

}  // namespace
}  // namespace kurvex
