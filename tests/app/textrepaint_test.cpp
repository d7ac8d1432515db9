// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QWidget>
#include <set>
#include <string>

#include "tests/app/mainwindow_fixture.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

/// The widgets the application sends a paint event, by object name (or
/// class, for the unnamed).
class PaintedWidgets : public QObject {
 public:
  PaintedWidgets() { QCoreApplication::instance()->installEventFilter(this); }
  ~PaintedWidgets() override { QCoreApplication::instance()->removeEventFilter(this); }
  std::set<std::string> Names;

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    if (event->type() == QEvent::Paint)
      Names.insert(receiver->objectName().isEmpty() ? receiver->metaObject()->className()
                                                    : receiver->objectName().toStdString());
    return false;
  }
};

class TextRepaintTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    form->StartButton->Click();
  }
  void ReceiveAndShow(const std::string& value) {
    Receive(value + "\r\n");
    ASSERT_TRUE(WaitUntil([&] { return form->Label10->Widget()->property("text").toString().startsWith(
                                           QString::fromStdString(value).replace('.', ',')); }));
  }
};

// A new value and count repaint the value label and the count's panel, not
// the panel, the status bar and the window beneath them.
TEST_F(TextRepaintTest, ANewValueRepaintsItsLabelsAlone) {
  ReceiveAndShow("1.5");
  const PaintedWidgets painted;
  ReceiveAndShow("2.5");
  ASSERT_TRUE(WaitUntil([&] { return painted.Names.count("Label10") > 0; }));
  for (const char* beneath : {"Panel1", "Form1", "StatusBar"}) EXPECT_EQ(painted.Names.count(beneath), 0u) << beneath;
}

// The value label fills its rectangle in its parent's colour: the window
// looks as it did with the parent showing through.
TEST_F(TextRepaintTest, AnOpaqueValueLabelLooksAsATransparentOne) {
  ReceiveAndShow("8.25");
  QWidget* window = form->Label10->Widget()->window();
  const QImage opaque = window->grab().toImage();
  form->Label10->SetTransparent(true);
  const QImage transparent = window->grab().toImage();
  EXPECT_TRUE(opaque == transparent);
}

}  // namespace
}  // namespace kurvex::test
