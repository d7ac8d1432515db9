// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <functional>
#include <string>

#include <QAction>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "tests/app/mainwindow_fixture.h"
#include "tests/chart/render_fixture.h"
#include "tests/support/tempfolder.h"

namespace kurvex::test {
namespace {

class ExportTest : public MainWindowTest {
 protected:
  ExportTest() {
    form->Chart1->SetRange(1, 0, 0, 1000, 10);
    AddSineSamples(*form->Chart1);
    form->Chart1->ShowGraph();
  }

  // What the screen shows of the chart: its window repainted now.
  QImage OnScreen() {
    QWidget* chart = form->Chart1->Widget();
    chart->repaint();
    return chart->grab().toImage();
  }

  TempFolder folder;
};

// While an export runs and while its message is open, the chart on screen
// stays as it was: the window's picture is never the export's.
TEST_F(ExportTest, AnExportNeverChangesWhatTheScreenShows) {
  const QImage before = OnScreen();
  const std::string missing = folder.Path("fehlt/");
  const std::vector<std::pair<std::string, std::function<void()>>> exports = {
      {"png", [&] { form->GrafikSpeichernPNG->Action()->trigger(); }},
      {"bmp", [&] { form->GrafikSpeichernBMP->Action()->trigger(); }},
      {"csv", [&] { form->ErfassungCsvExportieren->Action()->trigger(); }},
  };
  for (const auto& [extension, click] : exports) {
    int shown = 0;
    dialogs.Boxes().WhileShown = [&] {
      ++shown;
      EXPECT_TRUE(OnScreen() == before) << extension << ": the picture changed while the message is open";
    };
    dialogs.Files().Answers.push_back(missing + "grafik." + extension);
    click();
    EXPECT_EQ(shown, 1) << extension;
    EXPECT_TRUE(OnScreen() == before) << extension;

    dialogs.Files().Answers.push_back(folder.Path("grafik." + extension));
    click();
    EXPECT_TRUE(std::filesystem::exists(folder.Path("grafik." + extension)));
    EXPECT_TRUE(OnScreen() == before) << extension << ": after a successful export";
  }
}

// A name as long as a folder takes (255 bytes on Linux file systems) is
// written under that name by every command that writes a file, and nothing
// else is left beside it.
TEST_F(ExportTest, ExportsTakeEveryNameTheDialogTakes) {
  const auto longName = [](const std::string& ext) { return std::string(250 - ext.size(), 'a') + ext; };
  const std::vector<std::pair<std::string, TMenuItem*>> commands = {
      {".csv", form->ErfassungCsvExportieren}, {".png", form->GrafikSpeichernPNG},
      {".bmp", form->GrafikSpeichernBMP},      {".kvx", form->ErfassungSpeichern},
  };
  for (const auto& [extension, item] : commands) {
    dialogs.Files().Answers.push_back(folder.Path(longName(extension)));
    item->Action()->trigger();
    EXPECT_TRUE(std::filesystem::exists(folder.Path(longName(extension)))) << extension;
  }
  EXPECT_EQ(Messages(), std::vector<std::string>{});
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Dir())) ++files;
  EXPECT_EQ(files, commands.size());
}

// The picture as a PNG, as the screen shows it.
TEST_F(ExportTest, ThePictureIsWrittenAsPngInColour) {
  const std::string pngPath = folder.Path("grafik.png");
  dialogs.Files().Answers.push_back(pngPath);
  form->GrafikSpeichernPNG->Click();
  EXPECT_EQ(dialogs.Files().Calls.back().Request.DefaultExt, ".png");
  QImage picture;
  ASSERT_TRUE(picture.load(QString::fromStdString(pngPath), "PNG"));
  EXPECT_EQ(picture.width(), form->Chart1->Width());
  EXPECT_EQ(picture.height(), form->Chart1->Height());
  // In colour, as on screen: the window's background is not white.
  EXPECT_NE(picture.pixelColor(1, 1), QColor(Qt::white));
  EXPECT_NE(picture.pixelColor(1, 1).red(), 0);
}

}  // namespace
}  // namespace kurvex::test
