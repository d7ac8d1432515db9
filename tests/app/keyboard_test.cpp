// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

#include <algorithm>

#include "tests/app/mainwindow_fixture.h"

namespace kurvex::test {
namespace {

// The window shown and active, so keys reach it as a user's would.
class KeyboardTest : public MainWindowTest {
 protected:
  KeyboardTest() {
    form->Widget()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form->Widget()));
  }

  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : form->Widget();
    QTest::keyClick(target, key, modifiers);
  }

  std::string FocusName() const {
    const QWidget* focused = QApplication::focusWidget();
    return focused ? focused->objectName().toStdString() : "";
  }
};

TEST_F(KeyboardTest, F5StartsAndShiftF5OrEscStops) {
  TForm1& f = *form;
  Press(Qt::Key_F5);
  EXPECT_TRUE(f.SerialComm1->Active());
  Press(Qt::Key_F5);  // Start is disabled while acquiring: nothing happens
  EXPECT_TRUE(f.SerialComm1->Active());
  Press(Qt::Key_F5, Qt::ShiftModifier);
  EXPECT_FALSE(f.SerialComm1->Active());
  EXPECT_TRUE(f.StartButton->Enabled());

  f.DatOffsetEdit->SetFocus();  // keys work while a field is being edited
  Press(Qt::Key_F5);
  EXPECT_TRUE(f.SerialComm1->Active());
  Press(Qt::Key_Escape);
  EXPECT_FALSE(f.SerialComm1->Active());
  EXPECT_EQ(FocusName(), "DatOffsetEdit");
  EXPECT_EQ(f.StartButton->Widget()->toolTip(), "Start (F5)");
  EXPECT_EQ(f.StopButton->Widget()->toolTip(), "Stop (Shift+F5, Esc)");

  // Buttons take the focus by Tab, not by a click; a focused one is pressed with the space bar.
  QTest::mouseClick(f.ClearGraphButton->Widget(), Qt::LeftButton);
  EXPECT_EQ(FocusName(), "DatOffsetEdit");
  f.StartButton->SetFocus();
  Press(Qt::Key_Space);
  EXPECT_TRUE(f.SerialComm1->Active());
}

TEST_F(KeyboardTest, FileShortcutsRunTheMenuCommandsAndAreShown) {
  TForm1& f = *form;
  EXPECT_EQ(f.ErfassungSpeichern->ShortCut(), "Ctrl+S");
  EXPECT_EQ(f.Erfassungladen->ShortCut(), "Ctrl+O");
  EXPECT_EQ(f.Einstellungen1->ShortCut(), "Ctrl+Q");

  Press(Qt::Key_S, Qt::ControlModifier);
  Press(Qt::Key_O, Qt::ControlModifier);
  const std::vector<FileDialogCall>& calls = dialogs.Files().Calls;
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].Kind, FileDialogKind::Save);
  EXPECT_EQ(calls[0].Request.Filter, "Kurvex Files (*.kvx)|*.KVX");
  EXPECT_EQ(calls[1].Kind, FileDialogKind::Open);
}

TEST_F(KeyboardTest, AltDOpensDatei) {
  QMenu* datei = form->Datei1->Action()->menu();
  Press(Qt::Key_D, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return datei->isVisible(); }));
  // Inside it, each command has a letter of its own.
  std::vector<QChar> letters;
  for (const QAction* item : datei->actions()) {
    const int amp = item->text().indexOf('&');
    ASSERT_GE(amp, 0) << item->text().toStdString();
    letters.push_back(item->text().at(amp + 1).toLower());
  }
  std::sort(letters.begin(), letters.end());
  EXPECT_EQ(std::adjacent_find(letters.begin(), letters.end()), letters.end());
  QTest::keyClick(datei, Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !datei->isVisible(); }));
}

TEST_F(KeyboardTest, TabVisitsEveryControlInReadingOrder) {
  const std::vector<std::string> order = {
      "StartButton",      "ClearGraphButton",   "ResetAxisButton",  // Stop is disabled while idle
      "ComComboBox",      "BaudComboBox",       "FormatComboBox",   "DatSkalEdit",      "DatOffsetEdit",
      "GraphXmaxEdit",    "GraphYmaxEdit",      "GraphYminEdit",    "RecordCheckBox",     "NormalRadioButton",
      "ZoomRadioButton",  "ShowGridCheckBox",   "DoubleTicsCheckBox", "LogCheckBox",
      "TrendCheckBox",    "Chart1"};
  form->StartButton->SetFocus();
  std::vector<std::string> visited = {FocusName()};
  for (std::size_t i = 0; i < order.size(); ++i) {
    Press(Qt::Key_Tab);
    visited.push_back(FocusName());
  }
  std::vector<std::string> expected = order;
  expected.push_back(order.front());  // and round again
  EXPECT_EQ(visited, expected);

  Press(Qt::Key_Backtab);
  EXPECT_EQ(FocusName(), "Chart1");
}

TEST_F(KeyboardTest, EscClosesTheInfoWindow) {
  TForm1& f = *form;
  f.Info1->Click();
  f.FormInfo->Widget()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(f.FormInfo->Widget()));
  QTest::keyClick(f.FormInfo->Widget(), Qt::Key_Escape);
  EXPECT_FALSE(f.FormInfo->Visible());
}

}  // namespace
}  // namespace kurvex::test
