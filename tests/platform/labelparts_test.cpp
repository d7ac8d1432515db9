// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>

#include "platform/windows/form.h"
#include "platform/windows/label.h"
#include "tests/support/qtapp.h"
#include "tests/support/waituntil.h"

namespace kurvex {
namespace {

using LabelPartsTest = test::QtAppTest;

QLabel* Shown(TLabel& label) { return static_cast<QLabel*>(label.Widget()); }
std::string Spoken(TLabel& label) {
  return QAccessible::queryAccessibleInterface(label.Widget())->text(QAccessible::Name).toStdString();
}

// Screen readers and Caption() get the plain text; the screen the parts in their colours.
TEST_F(LabelPartsTest, ColouredPartsShowAsEscapedRichTextAndReadAsPlainText) {
  TForm form;
  for (bool autoSize : {true, false}) {
    TLabel label(&form);
    label.SetAutoSize(autoSize);
    label.SetCaptionParts({{"<i>a</i> ", std::nullopt}, {"Temp 21 °C", RGB(0xC0, 0, 0)}});
    EXPECT_EQ(label.Caption(), "<i>a</i> Temp 21 °C");
    ASSERT_TRUE(test::WaitUntil([&] { return Shown(label)->textFormat() == Qt::RichText; }));
    EXPECT_EQ(Shown(label)->text().toStdString(), "&lt;i&gt;a&lt;/i&gt; <span style=\"color:#c00000\">Temp 21 °C</span>");
    EXPECT_EQ(Spoken(label), "<i>a</i> Temp 21 °C");

    label.SetCaption("<b>plain</b> again");
    EXPECT_EQ(label.Caption(), "<b>plain</b> again");
    ASSERT_TRUE(test::WaitUntil([&] { return Shown(label)->text() == "<b>plain</b> again"; }));
    EXPECT_NE(Shown(label)->textFormat(), Qt::RichText) << "autoSize " << autoSize;
  }
}

// A column's caption over several values: each value is labelled by it and still says its own text.
TEST_F(LabelPartsTest, ValuesLabelledByOneCaptionReadTheirOwnText) {
  TForm form;
  TLabel caption(&form), first(&form), second(&form);
  caption.SetCaption("Minimum");
  first.SetCaption("1 °C");
  second.SetCaption("2 hPa");
  first.SetLabelledBy(caption);
  second.SetLabelledBy(caption);
  for (TLabel* value : {&first, &second}) {
    const auto labels = QAccessible::queryAccessibleInterface(value->Widget())->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels.front().first->object(), caption.Widget());
    EXPECT_EQ(Spoken(*value), value->Caption());
  }
}

}  // namespace
}  // namespace kurvex
