// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstring>

#include <QAction>
#include <QImage>
#include <QPixmap>

#include "app/files/chartcsv.h"
#include "chart/graphfile.h"
#include "platform/drawing/bitmap.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/chart/render_fixture.h"
#include "tests/support/image.h"

namespace kurvex::test {
namespace {

class FileCommandsTest : public MainWindowTest {
 protected:
  FileCommandsTest() {
    form->Chart1->SetRange(1, 0, 0, 1000, 10);
    AddSineSamples(*form->Chart1);
    form->Chart1->ShowGraph();
  }

  std::string Path(const std::string& name) const { return folder.Path(name); }
  void Answer(const std::optional<std::string>& path) { dialogs.Files().Answers.push_back(path); }

  TempFolder folder;
};

TEST_F(FileCommandsTest, EachCommandAsksItsDialogWithItsFilterAndStartsAtHome) {
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  const std::string before = Items();
  form->GrafikSpeichernBMP->Click();
  form->ErfassungSpeichern->Click();
  form->Erfassungladen->Click();
  const std::vector<FileDialogCall>& calls = dialogs.Files().Calls;
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0], (FileDialogCall{FileDialogKind::Save, {"Graphic Files (*.bmp)|*.BMP", ".bmp", home, "", true}}));
  EXPECT_EQ(calls[1], (FileDialogCall{FileDialogKind::Save, {"Kurvex Files (*.kvx)|*.KVX", ".kvx", home, "", true}}));
  EXPECT_EQ(calls[2], (FileDialogCall{FileDialogKind::Open, {"Kurvex Files (*.kvx)|*.KVX", ".kvx", home, "", false}}));
  // All three were cancelled: nothing written, nothing changed, nothing said.
  EXPECT_EQ(Items(), before);
  EXPECT_TRUE(std::filesystem::is_empty(folder.Dir()));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(FileCommandsTest, AStoredAcquisitionLoadsBackIntoTheCurrentAxisWindow) {
  const std::string stored = Items();
  const TBitmap shown = form->Chart1->ControlBitmap();
  Answer(Path("run.kvx"));
  form->ErfassungSpeichern->Click();
  EXPECT_EQ(FileText(Path("run.kvx")), stored);
  form->ClearGraphButtonClick(nullptr);
  EXPECT_EQ(form->Chart1->ItemCount(), 0);
  Answer(Path("run.kvx"));
  form->Erfassungladen->Click();
  EXPECT_EQ(Items(), stored);
  EXPECT_TRUE(SameImage(form->Chart1->ControlBitmap(), shown, "reloaded-acquisition"));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(FileCommandsTest, FailuresAreShownAndKeepFilesAndItems) {
  const std::string before = Items();
  const std::string missing = Path("gone/run.kvx");
  Answer(missing);
  form->ErfassungSpeichern->Click();
  Answer(missing);
  form->Erfassungladen->Click();
  // The bitmap says it as the other exports do, of the file it writes.
  Answer(missing);
  form->GrafikSpeichernBMP->Click();
  const std::vector<std::string> texts = Messages();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0], "Die Datei \"" + missing + "\" konnte nicht gespeichert werden.\n" + std::strerror(ENOENT));
  EXPECT_EQ(texts[1], "Die Datei \"" + missing + "\" konnte nicht geladen werden.\n" + std::strerror(ENOENT));
  EXPECT_EQ(texts[2], "Die Datei \"" + Path("gone/run.bmp") + "\" konnte nicht gespeichert werden.\n" +
                          std::strerror(ENOENT));
  EXPECT_EQ(Items(), before);
}

// Which files are refused, and why, is the graph file's test.
TEST_F(FileCommandsTest, ACutFileSaysWhatLoaded) {
  const std::string before = Items();
  Answer(Path("run.kvx"));
  form->ErfassungSpeichern->Click();
  const std::string run = FileText(Path("run.kvx"));
  std::ofstream(Path("cut.kvx"), std::ios::binary) << run.substr(0, 3 * sizeof(TChartItem) + 50);
  Answer(Path("cut.kvx"));
  form->Erfassungladen->Click();
  EXPECT_EQ(Items(), before.substr(0, 3 * sizeof(TChartItem)));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "Die Datei \"" + Path("cut.kvx") +
                               "\" endet mitten in einem Datensatz.\n3 vollständige Datensätze wurden geladen, "
                               "der abgeschnittene Rest (50 Bytes) nicht.");
}

TEST_F(FileCommandsTest, TheBitmapIsTheBlackAndWhiteRenderingAndNeverReplacesAnUnconfirmedFile) {
  Answer(Path("graph.bmp"));
  form->GrafikSpeichernBMP->Click();
  TBitmap written;
  ASSERT_TRUE(written.LoadFromFile(Path("graph.bmp")));
  TBitmap reference;
  // The chart tests' reference for the same picture.
  const std::filesystem::path golden =
      std::filesystem::path(KURVEX_TEST_DATA).parent_path().parent_path() / "chart" / "golden" / "export-bw.png";
  ASSERT_TRUE(reference.Image().load(QString::fromStdString(golden.string())));
  reference.Image() = reference.Image().convertToFormat(QImage::Format_RGB32);
  EXPECT_TRUE(SameImage(written, reference, "window-export-bw"));

  // "graph.kvx" exports to graph.bmp, which the dialog did not confirm.
  std::filesystem::resize_file(Path("graph.bmp"), 10);
  dialogs.Boxes().Answers.push_back(MessageResult::No);
  Answer(Path("graph.kvx"));
  form->GrafikSpeichernBMP->Click();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "Die Datei \"" + Path("graph.bmp") + "\" existiert bereits.\nSoll sie ersetzt werden?");
  EXPECT_EQ(std::filesystem::file_size(Path("graph.bmp")), 10u);
  EXPECT_FALSE(std::filesystem::exists(Path("graph.kvx")));
  Answer(Path("graph.kvx"));
  form->GrafikSpeichernBMP->Click();  // answered Yes
  EXPECT_GT(std::filesystem::file_size(Path("graph.bmp")), 10u);
}

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

void AddItem(TItemStore& items, std::uint8_t kind, double x, double y, std::uint8_t curve = 0) {
  TChartItem& item = items.Append(16);
  item.Kind = kind;
  item.X = x;
  item.Y = y;
  item.Curve = curve;
}

TEST(ChartCsv, OneCurveIsExportedAsEver) {
  TItemStore items;
  AddItem(items, ikMoveTo, 0, 1.5);
  AddItem(items, ikText, 0, 99);
  AddItem(items, ikDrawTo, 1, -0.1);
  EXPECT_EQ(ChartSamplesCsv(items, cdExcel), "Sample;Wert (skaliert)\r\n0;1,5\r\n1;-0,1\r\n");
}

// Items of one X share a row; a curve without an item there, or one that
// starts later, leaves an empty cell; the same curve twice at one X makes
// two rows rather than losing a value.
TEST(ChartCsv, EachCurveHasItsColumnAndGapsStayEmpty) {
  TItemStore items;
  AddItem(items, ikMoveTo, 0, 1);
  AddItem(items, ikDrawTo, 1, 2);
  AddItem(items, ikMoveTo, 1, 20, 1);
  AddItem(items, ikMoveTo, 2, 300, 2);
  AddItem(items, ikDrawTo, 2, 3);
  AddItem(items, ikText, 2, 99, 1);
  AddItem(items, ikDrawTo, 2, 4);
  const std::string names[] = {"", "Temp, innen"};
  const std::string units[] = {"", "°C"};
  EXPECT_EQ(ChartSamplesCsv(items, cdComma, {names, units}),
            "Sample,Wert Kanal 1 (skaliert),\"Wert Temp, innen (skaliert) [°C]\",Wert Kanal 3 (skaliert)\r\n"
            "0,1,,\r\n"
            "1,2,20,\r\n"
            "2,3,,300\r\n"
            "2,4,,\r\n");
}

// Trend samples: sample 1 is drawn at X 0 and X 1, but counted once.
TEST(ChartCsv, AHistoryGivesOneRowPerSampleNumberedAsCountedWithGapsEmpty) {
  THistory history;
  const float values[][2] = {{1.5f, 0}, {2, 20}, {-0.25f, 0}};
  history.Append(0, values[0], 0b01);
  history.Append(0, values[1], 0b11);
  history.Append(0, values[2], 0b01);
  const std::string names[] = {"Temp", ""};
  EXPECT_EQ(HistorySamplesCsv(history, cdExcel, {names, {}}),
            "Sample;Wert Temp (skaliert);Wert Kanal 2 (skaliert)\r\n1;1,5;\r\n2;2;20\r\n3;-0,25;\r\n");
  THistory one;
  one.Append(0, values[0], 0b01);
  EXPECT_EQ(HistorySamplesCsv(one, cdComma), "Sample,Wert (skaliert)\r\n1,1.5\r\n");
  const std::string unit[] = {"hPa"};
  EXPECT_EQ(HistorySamplesCsv(one, cdComma, {{}, unit}), "Sample,Wert (skaliert) [hPa]\r\n1,1.5\r\n");
}

}  // namespace
}  // namespace kurvex::test
