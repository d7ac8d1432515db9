// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextDocument>
#include <algorithm>
#include <cstdlib>
#include <cctype>
#include <functional>
#include <map>
#include <set>

#include "app/closer/closerlook.h"
#include "tests/app/language_fixture.h"
#include "tests/support/strictcsv.h"
#include "tests/support/tempfolder.h"

namespace kurvex::test {
namespace {

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

// Every text the window shows a user or a screen reader, by where it
// shows: control texts, titles, items, accessible names and descriptions,
// tooltips, and the menus with their submenus (opened, so that they fill).
// The window and the windows it opens: the monitor and the channels dialog.
std::vector<QWidget*> Windows(TForm1& form) {
  form.MonitorOeffnen->Click();
  form.KanaeleOeffnen->Click();
  return {form.Widget(), form.Monitor()->Widget(), form.CurveDialog()->Widget()};
}

std::map<std::string, std::string> ShownTexts(TForm1& form) {
  std::map<std::string, std::string> texts;
  const auto add = [&](const QString& where, const char* what, const QString& text) {
    if (!text.isEmpty()) texts[where.toStdString() + " " + what] = text.toStdString();
  };
  for (QWidget* window : Windows(form)) {
    add(window->objectName(), "title", window->windowTitle());
    for (QWidget* control : window->findChildren<QWidget*>()) {
      const QString name = window->objectName() + "/" + control->objectName();
      if (control->objectName().isEmpty() || control->objectName().startsWith("qt_")) continue;
      add(name, "name", control->accessibleName());
      add(name, "description", control->accessibleDescription());
      add(name, "tooltip", control->toolTip());
      if (auto* label = qobject_cast<QLabel*>(control)) add(name, "text", Plain(label->text()));
      if (auto* button = qobject_cast<QAbstractButton*>(control)) add(name, "text", button->text());
      if (auto* group = qobject_cast<QGroupBox*>(control)) add(name, "title", group->title());
      if (auto* combo = qobject_cast<QComboBox*>(control)) {
        for (int i = 0; i < combo->count(); ++i) add(name, ("item " + std::to_string(i)).c_str(), combo->itemText(i));
      }
    }
  }
  std::function<void(QMenu*, const QString&)> menu = [&](QMenu* shown, const QString& path) {
    emit shown->aboutToShow();
    for (QAction* action : shown->actions()) {
      const QString where = path + "/" + (action->objectName().isEmpty() ? QString::number(shown->actions().indexOf(action)) : action->objectName());
      add(where, "text", action->text());
      add(where, "tooltip", action->toolTip() == QString(action->text()).remove('&') ? QString() : action->toolTip());
      if (action->menu()) menu(action->menu(), where);
    }
  };
  for (QAction* top : form.MainMenu1->MenuBar()->actions()) {
    add(top->objectName(), "text", top->text());
    if (top->menu()) menu(top->menu(), top->objectName());
  }
  return texts;
}

// A text with a word in it, not a number, a unit letter or a sign alone.
bool HasWords(const std::string& text) {
  const auto letter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) || (c & 0x80) != 0; };
  return std::adjacent_find(text.begin(), text.end(), [&](char a, char b) { return letter(a) && letter(b); }) !=
         text.end();
}

std::string Lines(const std::vector<std::string>& texts) {
  std::string lines;
  for (const std::string& text : texts) lines += "\n  " + text;
  return lines;
}

// At the windows' smallest sizes, with the statistics under the chart.
std::vector<std::string> TextsCutShortAtTheSmallestSize(TForm1& form) {
  form.CloserLook().SetStatisticsShown(true);
  std::vector<std::string> cut;
  for (QWidget* window : Windows(form)) {
    window->resize(window->minimumSize());
    QApplication::processEvents();
    for (const std::string& text : TextsCutShort(window)) cut.push_back(window->objectName().toStdString() + "/" + text);
  }
  return cut;
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

// Texts that read the same in both languages: English already, or a word
// both have.
const std::set<std::string> kSameInBoth = {
    "Start", "Stop", "Clear Graph", "Reset Axis", "Show Grid", "Graph X max", "Graph Y max", "Graph Y min",
    "Start (F5)", "Com Port", "Databits = 8", "Stopbits = 1", "Flowcontrol = none", "DoubleTics", "Y  Log",
    "Normal", "Zoom", "Trend", "&Info", "&Monitor…", "&Samples", "Δ Samples", "Minimum", "Maximum",
    "Monitor", "CR LF", "LF", "CR", "Name", "Offset", "Orange", "Sand", "Indigo"};

// The window as a German session showed it before it had translations
// (Qt's own texts in German), and as a German and an English session show it.
TEST_F(MainWindowTest, EnglishShowsEveryTextInEnglishGermanAsWritten) {
  const auto written = [&] {
    form.reset();
    const TToolkitTranslations qtInGerman("de_DE");
    form = std::make_unique<TForm1>();
    form->Show();
    return ShownTexts(*form);
  }();
  const auto shownIn = [&](const std::string& language) {
    form.reset();
    const TProgramTranslations translations(language);
    form = std::make_unique<TForm1>();
    form->Show();
    return ShownTexts(*form);
  };
  std::vector<std::string> changed;
  for (const auto& [where, text] : shownIn("de")) {
    if (!written.contains(where) || written.at(where) != text) changed.push_back(where + ": " + text);
  }
  EXPECT_TRUE(changed.empty()) << Lines(changed);
  const std::map<std::string, std::string> english = shownIn("en");
  std::vector<std::string> german;
  for (const auto& [where, text] : english) {
    // The port list names the machine's devices.
    const bool device = where.find("/ComComboBox item") != std::string::npos;
    if (HasWords(text) && written.at(where) == text && !kSameInBoth.contains(QString::fromStdString(text).trimmed().toStdString()) && !device) {
      german.push_back(where + ": " + text);
    }
  }
  EXPECT_TRUE(german.empty()) << Lines(german);
  EXPECT_EQ(english.size(), written.size());
}

// What the English window tells: its message boxes and its status notices.
TEST_F(EnglishWindowTest, MessagesAndNoticesAreEnglish) {
  MouseClick(form->LogCheckBox->Widget());
  form->GraphYminEdit->SetText("0");
  MouseClick(form->ResetAxisButton->Widget());
  SetFieldText(*form->GraphYmaxEdit, "1,2");
  MouseClick(form->ResetAxisButton->Widget());
  EXPECT_EQ(Messages(), (std::vector<std::string>{
                            "The logarithmic Y axis can only show values greater than 0. Graph Y min and Graph Y max "
                            "must be greater than 0; the Y axis stays unchanged.",
                            "'1,2' is not a valid floating point value"}));
  QLineEdit* port = static_cast<QComboBox*>(form->ComComboBox->Widget())->lineEdit();
  port->setText("0");
  emit port->textEdited("0");
  EXPECT_EQ(Panel(1), "COM0: no device");
}

// Files are read by other programs and by Kurvex itself: a recording's
// header row is German in every language.
TEST_F(EnglishWindowTest, ARecordingKeepsItsGermanHeader) {
  TempFolder folder;
  const std::string path = folder.Path("run.csv");
  dialogs.Files().Answers.push_back(path);
  form->AufzeichnungsdateiWaehlen->Click();
  EXPECT_EQ(Panel(3), "Next recording: run.csv");
  form->StartButton->Click();
  Receive("1.5;2\r\n2.5;3\r\n");
  form->StopButton->Click();
  const std::string text = FileText(path);
  EXPECT_EQ(text.substr(0, text.find('\n')),
            "Nr,\"Zeit (ISO 8601, Ortszeit)\",Sekunden seit Start,Rohwert Kanal 1,Wert Kanal 1 (skaliert),"
            "Rohwert Kanal 2,Wert Kanal 2 (skaliert)\r");
}

// The window as the session's locale makes it (run with LC_ALL set, and
// the language expected in KURVEX_SESSION_LANGUAGE).
TEST_F(MainWindowTest, TheWindowSpeaksInTheSessionsLanguage) {
  const char* expected = std::getenv("KURVEX_SESSION_LANGUAGE");
  if (expected == nullptr) GTEST_SKIP() << "needs KURVEX_SESSION_LANGUAGE";
  form.reset();
  const TProgramTranslations session;
  form = std::make_unique<TForm1>();
  const bool german = std::string(expected) == "de";
  EXPECT_EQ(form->RecordCheckBox->Caption(), german ? "Aufzeichnen" : "Record");
  EXPECT_EQ(form->DatSkalEdit->AccessibleName(), german ? "Roh-Daten Skalierungsfaktor" : "Raw data scaling factor");
  EXPECT_EQ(form->Datei1->Caption(), german ? "&Datei" : "&File");
}

}  // namespace
}  // namespace kurvex::test
