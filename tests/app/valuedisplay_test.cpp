// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>

#include "app/valuetext.h"
#include "tests/app/mainwindow_fixture.h"

namespace kurvex::test {
namespace {

using ValueDisplayTest = MainWindowTest;

TEST_F(ValueDisplayTest, TheWidestValueTextsFitTheLabelWhole) {
  TForm1& f = *form;
  const auto* label = static_cast<QLabel*>(f.Label10->Widget());
  EXPECT_GE(f.Label10->Width(), 233);
  EXPECT_LE(f.Label10->Width(), 275);
  const QFontMetrics metrics(label->font());
  // Negative, 15 digits, a three-digit exponent or the longest fixed form.
  for (double value : {-8.88888888888888e-308, -1.23456789012345e+300, -0.000888888888888888,
                       -888888888888888.0, -1.17549435082229e-38, -0.0010000000474974}) {
    const std::string text = GeneralValueText(value, ',');
    EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(text)),
              label->contentsRect().width())
        << text;
  }
  EXPECT_GE(label->contentsRect().height(), metrics.height());
}

TEST_F(ValueDisplayTest, TheValueLabelLeavesTheViewControlsTheirRoom) {
  const QWidget* panel = form->Panel1->Widget();
  const QList<QWidget*> controls = panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (const QWidget* a : controls) {
    EXPECT_TRUE(panel->rect().contains(a->geometry())) << a->objectName().toStdString();
    // Captions are shown whole too.
    if (qobject_cast<const QAbstractButton*>(a)) {
      EXPECT_GE(a->width(), a->sizeHint().width()) << a->objectName().toStdString();
    }
  }
  const auto* caption = static_cast<const QLabel*>(form->Label13->Widget());
  EXPECT_GE(caption->height(), caption->heightForWidth(caption->width()));
}

}  // namespace
}  // namespace kurvex::test
