// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

#include "platform/system/dispatcher.h"
#include "tests/app/mainwindow_fixture.h"

namespace kurvex::test {
namespace {

using SessionTest = MainWindowTest;

void ExpectIdle(TForm1& f) {
  ExpectIdleControls(f);
  EXPECT_TRUE(f.ZoomRadioButton->Enabled());
  EXPECT_TRUE(f.LogCheckBox->Enabled());
  EXPECT_FALSE(f.SessionState.TrendMode);
  EXPECT_EQ(f.Chart1->MouseAction(), maPan);
}

TEST_F(SessionTest, StartOpensThePortAndSwitchesToAcquiring) {
  TForm1& f = *form;
  f.SessionState.SampleCount = 7;
  f.Chart1->DrawTo(1, 1);
  f.StartButton->Click();

  EXPECT_TRUE(f.SerialComm1->Active());
  EXPECT_EQ(f.SerialComm1->ComPortNo(), 5);
  EXPECT_EQ(f.SerialComm1->BaudRate(), 115200u);
  // Normal mode keeps Zoom.
  for (TWinControl* on : std::initializer_list<TWinControl*>{f.StopButton.get(), f.CircularProgress.get(),
                                                              f.ZoomRadioButton.get()})
    EXPECT_TRUE(on->Enabled()) << on->Name();
  for (TWinControl* off : std::initializer_list<TWinControl*>{
           f.StartButton.get(), f.ResetAxisButton.get(), f.ClearGraphButton.get(), f.TrendCheckBox.get(),
           f.NormalRadioButton.get(), f.LogCheckBox.get(), f.GroupBox1.get(), f.GroupBox2.get()})
    EXPECT_FALSE(off->Enabled()) << off->Name();
  EXPECT_FALSE(f.ComComboBox->Widget()->isEnabled());
  for (TNumEdit* field : {f.DatSkalEdit.get(), f.DatOffsetEdit.get(), f.GraphXmaxEdit.get(), f.GraphYmaxEdit.get(),
                          f.GraphYminEdit.get()}) {
    EXPECT_FALSE(field->Widget()->isEnabled()) << "looks like the rest of its group";
  }

  EXPECT_EQ(f.Chart1->ItemCount(), 0);
  EXPECT_EQ(f.Chart1->DataColor(), clBlue);
  EXPECT_EQ(f.SessionState.SampleCount, 0);
  EXPECT_FALSE(f.SessionState.TrendMode);
  EXPECT_EQ(f.SessionState.ScaleFactor, 1.0f);
  EXPECT_EQ(f.SessionState.GraphXMax, 1000.0f);
  EXPECT_EQ(RangeX(), (TAxisWindow{0, 1000}));
  EXPECT_EQ(RangeY(), (TAxisWindow{0, 10}));

  f.StopButton->Click();
  ExpectIdle(f);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SessionTest, CommErrorsStopOnlyAfterTheFirstTenSamples) {
  TForm1& f = *form;
  f.StartButton->Click();
  bool flash = false;
  f.SessionState.SampleCount = 10;
  f.SerialComm1CommError(*f.SerialComm1, 0, 0, {}, flash);
  EXPECT_TRUE(f.SerialComm1->Active());
  EXPECT_TRUE(Messages().empty());

  f.SessionState.SampleCount = 11;
  f.SerialComm1CommError(*f.SerialComm1, 0, 0, {}, flash);
  EXPECT_EQ(dialogs.Boxes().Calls, (std::vector<MessageBoxCall>{{"Es ist ein Schnittstellenfehler aufgetreten", "OK",
                                                                  MessageIcon::Warning, MessageButtons::Ok}}));
  EXPECT_FALSE(flash);
  ExpectIdle(f);
}

TEST_F(SessionTest, FatalErrorShowsTheMessageThenStops) {
  TForm1& f = *form;
  f.StartButton->Click();
  // Stop must come after the message is closed.
  dialogs.Boxes().WhileShown = [&] { EXPECT_TRUE(f.SerialComm1->Active()); };
  bool raise = true;
  f.SerialComm1FatalError(*f.SerialComm1, 1, 0, "x", raise);
  EXPECT_TRUE(raise);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Es ist ein Schnittstellenfehler aufgetreten"});
  ExpectIdle(f);
}

// Over a loaded graph, in the Trend view, for a port with no device and
// for one another program holds.
TEST_F(SessionTest, AStartThatCannotOpenThePortShowsTwoMessagesAndChangesNothing) {
  TForm1& f = *form;
  f.StartButton->Click();
  Receive("12.5\r\n");
  f.StopButton->Click();
  f.Chart1->MoveTo(0, 3);  // as a loaded file adds them
  f.Chart1->DrawTo(500, 7);
  f.TrendCheckBox->SetChecked(true);
  const std::string items = Items();

  TSerialComm holder;  // another program on COM7
  LinkComPort(7, pty.SlavePath());
  holder.SetComPortNo(7);
  holder.SetActive(true);
  for (const char* port : {"17", "7"}) {
    dialogs.Boxes().Calls.clear();
    f.ComComboBox->SetText(port);
    MouseClick(f.StartButton->Widget());  // as the user does: the error is reported
    const auto texts = Messages();
    ASSERT_EQ(texts.size(), 2u) << port;
    EXPECT_EQ(texts[0], "Es ist ein Schnittstellenfehler aufgetreten");
    EXPECT_EQ(texts[1].rfind("Device \"COM" + std::string(port) + "\" Open Error !!!\r", 0), 0u) << texts[1];

    ExpectIdleControls(f);
    EXPECT_EQ(Items(), items);
    EXPECT_EQ(f.Label10->Caption(), "12,5");
    EXPECT_EQ(f.SessionState.SampleCount, 1);
    EXPECT_EQ(f.StatusBar->Panels()[0].Text(), "1");
    EXPECT_TRUE(f.TrendCheckBox->Checked());
    EXPECT_EQ(f.Chart1->MouseAction(), maPan);
  }
}

TEST_F(SessionTest, BeendenWhileIdleRunsStopAndEndsTheLoop) {
  TForm1& f = *form;
  f.Einstellungen1->Click();
  ExpectIdle(f);
  EXPECT_EQ(TDispatcher::Run(), 0);  // returns at once: termination was asked for
}

TEST_F(SessionTest, ClosingTheWindowWhileAcquiringStopsAndClosesThePort) {
  TForm1& f = *form;
  f.StartButton->Click();
  f.Close();
  ExpectIdle(f);
  TDispatcher::Run();
}

TEST_F(SessionTest, InfoWindowShowsCentredAndHidesAgain) {
  TForm1& f = *form;
  EXPECT_FALSE(f.FormInfo->Visible());
  f.Info1->Click();
  EXPECT_TRUE(f.FormInfo->Visible());
  EXPECT_EQ(f.FormInfo->Caption(), "  Info");
  EXPECT_EQ(f.FormInfo->Label2->Caption(), "Version  0.5");
  EXPECT_NEAR(f.FormInfo->Left() + f.FormInfo->Width() / 2, f.Left() + f.Width() / 2, 4);
  f.FormInfo->Button1->Click();
  EXPECT_FALSE(f.FormInfo->Visible());
  f.Info1->Click();
  f.FormShow(nullptr);
  EXPECT_FALSE(f.FormInfo->Visible());
}

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
