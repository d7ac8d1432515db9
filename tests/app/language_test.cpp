// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextDocument>
#include <map>

#include "platform/windows/translations.h"
#include "tests/app/mainwindow_fixture.h"

namespace kurvex::test {
namespace {

// The program's texts in one language, installed before the window is made
// (a base listed before the window's).
struct InLanguage {
  explicit InLanguage(const std::string& language) : translations(language) {}
  TProgramTranslations translations;
};

struct InEnglish : InLanguage {
  InEnglish() : InLanguage("en") {}
};
struct InGerman : InLanguage {
  InGerman() : InLanguage("de") {}
};

class EnglishWindowTest : protected InEnglish, public MainWindowTest {
 protected:
  EnglishWindowTest() : MainWindowTest({'.', ','}) {}
};
class GermanWindowTest : protected InGerman, public MainWindowTest {};

QString Plain(QString text) {
  if (Qt::mightBeRichText(text)) {
    QTextDocument document;
    document.setHtml(text);
    text = document.toPlainText();
  }
  return text.remove('&');
}

// The controls whose text is cut: the text needs more room than the
// control gives it, or the control, grown with its text, reaches out of
// its parent.
std::vector<std::string> TextsCutShort(QWidget* window) {
  std::vector<std::string> cut;
  const auto report = [&](QWidget* control, const QString& text, const std::string& what) {
    cut.push_back(control->objectName().toStdString() + " \"" + text.toStdString() + "\" " + what);
  };
  const auto check = [&](QWidget* control, const QString& text, int extra, int room) {
    const int needed = control->fontMetrics().horizontalAdvance(Plain(text)) + extra;
    if (!text.isEmpty() && needed > room) {
      report(control, text, "needs " + std::to_string(needed) + " px, has " + std::to_string(room));
    }
  };
  for (QWidget* control : window->findChildren<QWidget*>()) {
    if (!control->isVisibleTo(window) || control->isWindow() || control->objectName().isEmpty() ||
        control->objectName().startsWith("qt_")) {
      continue;
    }
    QStyle* style = control->style();
    if (!control->parentWidget()->rect().contains(control->geometry())) {
      report(control, control->accessibleName(), "reaches out of its parent");
    }
    if (auto* label = qobject_cast<QLabel*>(control); label && label->wordWrap()) {
      const QRect room = label->contentsRect();
      const QRect needed = label->fontMetrics().boundingRect(room, Qt::TextWordWrap, Plain(label->text()));
      if (needed.width() > room.width() || needed.height() > room.height()) report(label, label->text(), "wraps out");
    } else if (label) {
      check(label, label->text(), 0, label->contentsRect().width());
    } else if (qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control)) {
      const int indicator = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, control) +
                            style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, control);
      check(control, static_cast<QAbstractButton*>(control)->text(), indicator, control->width());
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      check(button, button->text(), style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button), button->width());
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
      check(group, group->title(), 0, group->width());
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
      const int arrow = style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, combo);
      for (int i = 0; i < combo->count(); ++i) check(combo, combo->itemText(i), arrow, combo->width());
    }
  }
  return cut;
}

// At the window's smallest size.
std::vector<std::string> TextsCutShortAtTheSmallestSize(TForm1& form) {
  QWidget* window = form.Widget();
  window->resize(window->minimumSize());
  QApplication::processEvents();
  return TextsCutShort(window);
}

TEST_F(GermanWindowTest, EveryTextFitsItsControl) {
  EXPECT_EQ(TextsCutShortAtTheSmallestSize(*form), std::vector<std::string>{});
}
TEST_F(GermanWindowTest, EveryTextFitsItsControlAtTwiceTheResolution) {
  EXPECT_EQ(TextsCutShortAtTheSmallestSize(*form), std::vector<std::string>{});
}
TEST_F(EnglishWindowTest, EveryTextFitsItsControl) {
  EXPECT_EQ(TextsCutShortAtTheSmallestSize(*form), std::vector<std::string>{});
}
TEST_F(EnglishWindowTest, EveryTextFitsItsControlAtTwiceTheResolution) {
  EXPECT_EQ(TextsCutShortAtTheSmallestSize(*form), std::vector<std::string>{});
}

}  // namespace
}  // namespace kurvex::test
