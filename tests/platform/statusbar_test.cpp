#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>

#include "platform/form.h"
#include "platform/statusbar.h"
#include "tests/support/qtapp.h"

namespace kurvex {
namespace {

using StatusBarTest = test::QtAppTest;

// The panel as the screen shows `text`, once the text has reached it.
QImage ShownPicture(TStatusPanel& panel, QLabel* label, const std::string& text) {
  panel.SetText(text);
  QElapsedTimer clock;
  clock.start();
  while (label->text().toStdString() != text && clock.elapsed() < 5000) QApplication::processEvents();
  QImage picture(label->size(), QImage::Format_RGB32);
  label->render(&picture);
  return picture;
}

TEST_F(StatusBarTest, TheLastPanelTakesTheRestAndShortensALongTextInTheMiddle) {
  TForm form;
  form.SetBounds(0, 0, 900, 200);
  TStatusBar status(&form);
  for (int i = 0; i < 4; ++i) status.Panels().Add(200);
  TStatusPanel& last = status.Panels()[3];
  last.FillRest(150);
  form.Show();
  QApplication::processEvents();
  const int rest = last.Width();
  EXPECT_GT(rest, 250);
  EXPECT_LE(rest, 900 - 600);

  // Two long texts that differ only at their end: the end stays visible.
  const std::string text = "Aufzeichnung: kurvex-20261207-101500.csv, 123.456 Zeilen, recorded in a rather long place";
  auto* label = status.Widget()->findChildren<QLabel*>().at(3);
  const QImage first = ShownPicture(last, label, text + " 1");
  const QImage second = ShownPicture(last, label, text + " 2");
  EXPECT_EQ(last.Text(), text + " 2");
  EXPECT_NE(first.copy(rest - 40, 0, 40, first.height()), second.copy(rest - 40, 0, 40, second.height()));
}

}  // namespace
}  // namespace kurvex
