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
#include "tests/support/strictcsv.h"
#include "tests/support/waituntil.h"
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

// An acquisition over the pty, then its samples and its picture exported.
TEST_F(ExportTest, AnAcquisitionExportsItsSamplesAsCsvAndItsPictureAsPng) {
  form->StartButton->Click();
  std::string lines;
  for (int n = 1; n <= 50; ++n) lines += std::to_string(n * 0.25 - 5000) + "\r\n";
  pty.WriteMaster(lines);
  ASSERT_TRUE(WaitUntil([&] { return form->SessionState.SampleCount == 50; }));
  form->StopButton->Click();

  const std::string csvPath = folder.Path("export.csv");
  dialogs.Files().Answers.push_back(csvPath);
  dialogs.Files().FilterAnswers.push_back(1);
  form->ErfassungCsvExportieren->Click();
  const StrictCsv csv = ReadStrictCsv(FileText(csvPath), ';');
  ASSERT_EQ(csv.Error, "");
  ASSERT_EQ(csv.Rows.size(), 51u);
  EXPECT_EQ(csv.Rows[0], (std::vector<std::string>{"Sample", "Wert (skaliert)"}));
  // Numbered as the counter and a recording number them.
  EXPECT_EQ(csv.Rows[1], (std::vector<std::string>{"1", "-4999,75"}));
  EXPECT_EQ(csv.Rows[2], (std::vector<std::string>{"2", "-4999,5"}));
  EXPECT_EQ(csv.Rows[50], (std::vector<std::string>{"50", "-4987,5"}));

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
  // Written through a temporary file that is gone afterwards.
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Dir())) ++files;
  EXPECT_EQ(files, 2u);
}

}  // namespace
}  // namespace kurvex::test
