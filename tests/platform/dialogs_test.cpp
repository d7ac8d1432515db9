// SPDX-License-Identifier: GPL-3.0-or-later
#include <chrono>
#include <memory>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/windows/filedialogs.h"
#include "platform/windows/messageboxes.h"
#include "platform/windows/translations.h"
#include "tests/support/qtapp.h"

namespace kurvex {
namespace {

// Waits (from inside the dialog's own event loop) for a visible top-level
// window of type Dialog and hands it to `act`; gives up after five seconds
// so a failure cannot hang the test run.
template <class Dialog>
void WhenShown(std::function<void(Dialog*)> act) {
  auto* poll = new QTimer;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  QObject::connect(poll, &QTimer::timeout, [poll, act, deadline] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (auto* dialog = qobject_cast<Dialog*>(window); dialog && dialog->isVisible()) {
        poll->deleteLater();
        poll->stop();
        act(dialog);
        return;
      }
    }
    if (std::chrono::steady_clock::now() > deadline) {
      ADD_FAILURE() << "no dialog appeared";
      poll->deleteLater();
      poll->stop();
    }
  });
  poll->start(10);
}

// Types a name into the dialog's name field and accepts, as a user does.
void TypeFileName(QFileDialog* dialog, const QString& name) {
  auto* field = dialog->findChild<QLineEdit*>("fileNameEdit");
  if (!field) {
    ADD_FAILURE() << "the dialog has no name field";
    dialog->reject();
    return;
  }
  field->setText(name);
  static_cast<QDialog*>(dialog)->accept();  // runs the file dialog's own accept
}

TEST(FilterConversion, ClassicFiltersBecomeToolkitFilters) {
  EXPECT_EQ(ToQtFilter("Kurvex Files (*.kvx)|*.KVX"), "Kurvex Files (*.kvx *.KVX)");
  EXPECT_EQ(ToQtFilter("Graphic Files (*.bmp)|*.BMP"), "Graphic Files (*.bmp *.BMP)");
  EXPECT_EQ(ToQtFilter("All files (*.*)|*.*"), "All files (*.*)");
  EXPECT_EQ(ToQtFilter("Text|*.txt;*.log"), "Text (*.txt *.log)");
  EXPECT_EQ(ToQtFilter("Kurvex Files (*.kvx)|*.KVX|All (*.*)|*.*"),
            "Kurvex Files (*.kvx *.KVX);;All (*.*)");
  EXPECT_EQ(ToQtFilter("Bitmaps (Windows)|*.bmp"), "Bitmaps (Windows) (*.bmp)");
  EXPECT_EQ(ToQtFilter("Anything"), "Anything (*)");
  EXPECT_EQ(ToQtFilter(""), "");
}

using QtDialogsTest = test::QtAppTest;

TEST_F(QtDialogsTest, AMessageBoxShowsItsTextWithoutBlockingOtherWindowsAndAnswers) {
  QtMessageBoxes boxes;
  QString text, title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool modal = true;
  WhenShown<QMessageBox>([&](QMessageBox* box) {
    text = box->text();
    title = box->windowTitle();
    icon = box->icon();
    modal = QApplication::activeModalWidget() != nullptr;
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(boxes.Show("Es ist ein Schnittstellenfehler aufgetreten", "OK", MessageIcon::Warning,
                       MessageButtons::Ok),
            MessageResult::Ok);
  EXPECT_EQ(text, "Es ist ein Schnittstellenfehler aufgetreten");
  EXPECT_EQ(title, "OK");
  EXPECT_EQ(icon, QMessageBox::Warning);
  EXPECT_FALSE(modal);

  // The answers map to results.
  WhenShown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
  EXPECT_EQ(boxes.Show("?", "Frage", MessageIcon::Question, MessageButtons::YesNo), MessageResult::No);
  WhenShown<QMessageBox>([](QMessageBox* box) { box->close(); });
  EXPECT_EQ(boxes.Show("?", "Frage", MessageIcon::Information, MessageButtons::OkCancel),
            MessageResult::Cancel);
}

TEST_F(QtDialogsTest, SaveDialogUsesTheFilterAndAppendsTheDefaultExtension) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QtFileDialogs dialogs;
  QStringList filters;
  QString folder;
  WhenShown<QFileDialog>([&](QFileDialog* dialog) {
    filters = dialog->nameFilters();
    folder = dialog->directory().absolutePath();
    TypeFileName(dialog, "messung");
  });
  const auto path = dialogs.Save(
      {"Kurvex Files (*.kvx)|*.KVX", ".kvx", dir.path().toStdString(), "", true});
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(*path, QDir(dir.path()).filePath("messung.kvx").toStdString());
  EXPECT_EQ(filters, QStringList{"Kurvex Files (*.kvx *.KVX)"});
  EXPECT_EQ(folder, QDir(dir.path()).absolutePath());

  WhenShown<QFileDialog>([](QFileDialog* dialog) {
    TypeFileName(dialog, "bild.BMP");  // has an extension already
  });
  EXPECT_EQ(dialogs.Save({"Graphic Files (*.bmp)|*.BMP", "bmp", dir.path().toStdString(), "", false}),
            QDir(dir.path()).filePath("bild.BMP").toStdString());
}

// Two filters of one pattern that choose a format: the dialog tells which
// one the user had selected.
TEST_F(QtDialogsTest, SaveDialogTellsWhichFilterWasSelected) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QtFileDialogs dialogs;
  const FileDialogRequest request{
      "CSV (Komma, Dezimalpunkt) (*.csv)|*.csv|CSV für Excel (Semikolon, Dezimalkomma) (*.csv)|*.csv", ".csv",
      dir.path().toStdString(), "", true};
  for (int filter : {1, 0}) {
    QStringList filters;
    WhenShown<QFileDialog>([&](QFileDialog* dialog) {
      filters = dialog->nameFilters();
      dialog->selectNameFilter(filters.value(filter));
      TypeFileName(dialog, "messung");
    });
    const std::optional<FileChoice> choice = dialogs.SaveChoosingFilter(request);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->FileName, QDir(dir.path()).filePath("messung.csv").toStdString());
    EXPECT_EQ(choice->FilterIndex, filter);
    EXPECT_EQ(filters, (QStringList{"CSV (Komma, Dezimalpunkt) (*.csv)",
                                    "CSV für Excel (Semikolon, Dezimalkomma) (*.csv)"}));
  }
}

TEST_F(QtDialogsTest, OpenDialogCanBeCancelledAndStartsHereForForeignFolders) {
  QtFileDialogs dialogs;
  QString folder;
  WhenShown<QFileDialog>([&](QFileDialog* dialog) {
    folder = dialog->directory().absolutePath();
    dialog->reject();
  });
  EXPECT_EQ(dialogs.Open({"Kurvex Files (*.kvx)|*.KVX", "kvx", "c:\\", "", false}), std::nullopt);
  EXPECT_EQ(folder, QDir::currentPath());
}

using ToolkitTranslations = test::QtAppTest;

// The items' texts without their shortcuts ("&Undo\tCtrl+Z").
QStringList MenuTexts(QLineEdit& edit) {
  const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
  QStringList texts;
  for (const QAction* action : menu->actions()) texts << action->text().section('\t', 0, 0);
  return texts;
}

TEST_F(ToolkitTranslations, AGermanSessionGetsGermanDialogsButtonsAndMenus) {
  QLineEdit edit;
  {
    const TToolkitTranslations german("de_DE");
    QFileDialog save;
    save.setOption(QFileDialog::DontUseNativeDialog);
    save.setAcceptMode(QFileDialog::AcceptSave);
    EXPECT_EQ(save.windowTitle().toStdString(), "Speichern unter");
    const auto* nameLabel = save.findChild<QLabel*>("fileNameLabel");
    ASSERT_NE(nameLabel, nullptr);
    EXPECT_EQ(nameLabel->text().toStdString(), "Datei&name:");
    const char* prompt = "%1 already exists.\nDo you want to replace it?";
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", prompt).toStdString(),
              "Die Datei %1 existiert bereits.\nSoll sie überschrieben werden?");

    QMessageBox box(QMessageBox::Question, "Kurvex", "?", QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().toStdString(), "&Ja");
    EXPECT_EQ(box.button(QMessageBox::No)->text().toStdString(), "&Nein");
    EXPECT_TRUE(MenuTexts(edit).contains("&Rückgängig"));
  }
  // Gone with the object.
  EXPECT_TRUE(MenuTexts(edit).contains("&Undo"));
}

TEST_F(ToolkitTranslations, ALanguageWithoutTranslationsKeepsQtsEnglish) {
  const TToolkitTranslations none("C");
  QMessageBox box(QMessageBox::Question, "Kurvex", "?", QMessageBox::Yes);
  EXPECT_EQ(box.button(QMessageBox::Yes)->text().toStdString(), "&Yes");
}

}  // namespace
}  // namespace kurvex
