// SPDX-License-Identifier: GPL-3.0-or-later
#include <csignal>
#include <cstring>
#include <sys/resource.h>

#include "chart/bitmapexport.h"
#include "chart/graphfile.h"
#include "platform/drawing/bitmap.h"
#include "tests/chart/render_fixture.h"
#include "tests/support/image.h"

namespace kurvex::test {
namespace {

class GraphFileTest : public WindowChartTest {
 protected:
  std::string Bytes(const TChartControl& c) const {
    return std::string(reinterpret_cast<const char*>(c.Store().Items()), c.ItemCount() * sizeof(TChartItem));
  }
  TempFolder folder;
};

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

TEST_F(GraphFileTest, SavedRecordsAreTheItemsByteForByteAndLoadBackIdentically) {
  chart.MoveTo(0, 1.5);
  chart.SetDataColor(clRed);
  chart.DrawTo(1, -2.25);
  chart.DrawTo(2, 3);
  const std::string path = folder.Path("run.kvx");
  chart.SaveGraph(path);
  const std::string file = FileText(path);
  ASSERT_EQ(file.size(), 312u);
  EXPECT_EQ(file, Bytes(chart));
  EXPECT_EQ(Hex(file.substr(0, 72)),
            "00 00 00 00 00 00 00 00 00 00 00 00 00 00 F8 3F " + Hex(std::string(32, '\0')) +
                " 00 00 00 00 00 00 00 00 01 00 00 00 00 08 00 00 01 00 00 00 00 00 00 00");
  EXPECT_EQ(file.substr(72, 32), std::string(32, '\0'));
  EXPECT_EQ(Hex(file.substr(104, 16)), "00 00 00 00 00 00 F0 3F 00 00 00 00 00 00 02 C0");
  EXPECT_EQ(Hex(file.substr(104 + 32, 4)), "FF 00 00 00");
  EXPECT_EQ(file[104 + 61], 3);

  TChartControl other;
  other.LoadGraph(path, false);
  EXPECT_EQ(other.ItemCount(), 3);
  EXPECT_EQ(Bytes(other), file);
  other.SaveGraph(path);
  EXPECT_EQ(FileText(path), file);
}

TEST_F(GraphFileTest, InterleavedCurvesLoadBackToTheSamePictureAndSaveToTheSameBytes) {
  chart.SetRange(1, 0, 0, 30, 10);
  for (int x = 0; x <= 30; ++x) {
    for (std::uint8_t curve = 0; curve < 3; ++curve) {
      chart.SetDataCurve(curve);
      chart.SetDataColor(curve == 1 ? clRed : clBlue);  // curves 0 and 2 share a colour
      const double y = 2 + 3 * curve + (x % 3 == 0 ? 1 : 0);
      x == 0 || (curve == 2 && x == 15) ? chart.MoveTo(x, y) : chart.DrawTo(x, y);
    }
  }
  const std::string path = folder.Path("curves.kvx");
  chart.SaveGraph(path);
  const std::string file = FileText(path);
  ASSERT_EQ(file.size(), 93 * sizeof(TChartItem));
  for (int i = 0; i < 93; ++i) ASSERT_EQ(file[i * sizeof(TChartItem) + 97], i % 3) << "item " << i;

  TChartControl other;
  ConfigureLikeWindowChart(other);
  other.Show();
  other.HandleNeeded();
  other.SetRange(1, 0, 0, 30, 10);
  other.LoadGraph(path, true);
  chart.ShowGraph();
  EXPECT_TRUE(SameImage(other.ControlBitmap(), chart.ControlBitmap(), "curves-reloaded"));
  other.SaveGraph(path);
  EXPECT_EQ(FileText(path), file);
}

TEST_F(GraphFileTest, LoadingReplacesTheItemsAndIgnoresATrailingPiece) {
  for (int i = 0; i < 10; ++i) chart.DrawTo(i, i);
  std::string four(4 * sizeof(TChartItem), '\0');
  for (int i = 0; i < 4; ++i) four[i * sizeof(TChartItem) + 61] = ikDrawTo;
  WriteFileBytes(folder.Path("four.kvx"), four);
  chart.LoadGraph(folder.Path("four.kvx"), true);
  EXPECT_EQ(chart.ItemCount(), 4);
  EXPECT_EQ(chart.ItemCapacity(), 14);  // the old items' slots are kept
  EXPECT_EQ(Bytes(chart), four);
  chart.LoadGraph(folder.Path("four.kvx"), false);
  EXPECT_EQ(chart.ItemCapacity(), 4);

  WriteFileBytes(folder.Path("cut.kvx"), std::string(250, '\x01'));
  const TGraphLoad cut = chart.LoadGraph(folder.Path("cut.kvx"), true);
  EXPECT_EQ(chart.ItemCount(), 2);
  EXPECT_EQ(cut.Records, 2);
  EXPECT_EQ(cut.CutBytes, 42);
  EXPECT_EQ(chart.LoadGraph(folder.Path("four.kvx"), true).CutBytes, 0);

  TChartControl empty;
  empty.SaveGraph(folder.Path("none.kvx"));
  EXPECT_EQ(FileText(folder.Path("none.kvx")), "");
}

TEST_F(GraphFileTest, AFileThatIsNoGraphFileOrCannotBeReadIsRefusedAndKeepsTheItems) {
  chart.MoveTo(1, 2);
  chart.DrawTo(3, 4);
  chart.SaveGraph(folder.Path("real.kvx"));
  const std::string before = Bytes(chart);
  std::string csv = "Sample,Sekunden seit Start,Rohwert,Wert\r\n";
  for (int i = 1; i <= 20; ++i) csv += std::to_string(i) + ",0.00" + std::to_string(i) + ",12.5,12.5\r\n";
  const std::string noRecord = "Sie ist keine Kurvex-Erfassung: sie enthält keinen vollständigen Datensatz.";
  const std::pair<std::string, std::string> files[] = {
      {"", noRecord},
      {FileText(folder.Path("real.kvx")).substr(0, 100), noRecord},
      {csv, "Sie ist keine Kurvex-Erfassung, sondern eine Textdatei."},
  };
  for (const auto& [bytes, why] : files) {
    WriteFileBytes(folder.Path("not.kvx"), bytes);
    try {
      chart.LoadGraph(folder.Path("not.kvx"), true);
      ADD_FAILURE() << "loaded " << bytes.size() << " bytes";
    } catch (const EGraphFileError& error) {
      EXPECT_EQ(error.what(), why);
    }
    EXPECT_EQ(Bytes(chart), before);
  }

  // A file that cannot be read keeps them too and says why.
  try {
    chart.LoadGraph(folder.Path("missing.kvx"), true);
    FAIL() << "no error";
  } catch (const EGraphFileError& error) {
    EXPECT_EQ(error.FileName(), folder.Path("missing.kvx"));
    EXPECT_STREQ(error.what(), std::strerror(ENOENT));
  }
  EXPECT_THROW(chart.LoadGraph(folder.Dir(), true), EGraphFileError);
  EXPECT_EQ(Bytes(chart), before);
}

// Writes beyond `limit` bytes fail for every user, root included.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    getrlimit(RLIMIT_FSIZE, &m_saved);
    m_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lower = m_saved;
    lower.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &lower);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_handler);
  }

 private:
  rlimit m_saved{};
  void (*m_handler)(int);
};

TEST_F(GraphFileTest, AFailedSaveLeavesTheExistingFileAndNoTemporaryOne) {
  const std::string path = folder.Path("keep.kvx");
  WriteFileBytes(path, "earlier acquisition");
  for (int i = 0; i < 100; ++i) chart.DrawTo(i, i);
  {
    FileSizeLimit limit(4096);
    EXPECT_THROW(chart.SaveGraph(path), EGraphFileError);
  }
  EXPECT_EQ(FileText(path), "earlier acquisition");
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Dir())) entries += entry.exists();
  EXPECT_EQ(entries, 1);
  EXPECT_THROW(chart.SaveGraph(folder.Path("no/such/folder.kvx")), EGraphFileError);
  chart.SaveGraph(path);
  EXPECT_EQ(FileText(path).size(), 100 * sizeof(TChartItem));
}

TEST_F(GraphFileTest, ForeignRecordsLoadAsTheyAreAndUnknownKindsDrawNothing) {
  AcquisitionRange();
  const TBitmap empty = chart.PlotBitmap();
  TChartItem foreign = MakeItem(ikDrawTo, 500, 5);
  foreign.Kind = 200;
  foreign.Class = 255;
  std::string bytes(reinterpret_cast<const char*>(&foreign), sizeof foreign);
  WriteFileBytes(folder.Path("foreign.kvx"), bytes);
  chart.LoadGraph(folder.Path("foreign.kvx"), true);
  ASSERT_EQ(chart.ItemCount(), 1);
  EXPECT_EQ(chart.Item(0).Kind, 200);
  EXPECT_TRUE(SameImage(chart.PlotBitmap(), empty, "kind-200"));

  TChartItem line = MakeItem(ikLine, 0, 5, 1000, 5);
  line.Layer = 0;
  line.Color = clRed;
  WriteFileBytes(folder.Path("layer0.kvx"), std::string(reinterpret_cast<const char*>(&line), sizeof line));
  chart.LoadGraph(folder.Path("layer0.kvx"), true);  // repaints
  int px, py;
  chart.WorldToPixel(1, 500, 5, px, py);
  EXPECT_EQ(RowText(chart.ControlBitmap(), py, chart.LRim() + 1, chart.LRim() + 566, clRed), std::string(565, '#'));
}

TEST(BitmapFileName, ReplacesOnlyTheLastExtension) {
  const std::pair<const char*, const char*> names[] = {
      {"/data/graph.kvx", "/data/graph.bmp"}, {"/data/run.1.bmp", "/data/run.1.bmp"},
      {"/data/run.1.BMP", "/data/run.1.BMP"}, {"/data/run", "/data/run.bmp"},         {"/da.ta/run", "/da.ta/run.bmp"},
      {"/data/.hidden", "/data/.hidden.bmp"}, {"run.1.kvx", "run.1.bmp"}};
  for (const auto& [graph, bitmap] : names) EXPECT_EQ(BitmapFileName(graph), bitmap);
}

TEST_F(GraphFileTest, BitmapExportWritesTheWholeControlAndRestoresTheScreenColours) {
  AcquisitionRange();
  chart.SetWindColor(clYellow);
  chart.SetShadowWidth(4);
  chart.Scale1X().SetColorScale(clRed);
  chart.SetDataColor(clBlue);
  chart.MoveTo(0, 5);
  chart.DrawTo(1000, 5);
  chart.ShowGraph();
  const TBitmap screen = chart.ControlBitmap();
  chart.SaveBitmap(folder.Path("export.kvx"), true);
  TBitmap written;
  ASSERT_TRUE(written.LoadFromFile(folder.Path("export.bmp")));
  EXPECT_EQ(written.Width(), chart.Width());
  EXPECT_EQ(written.Height(), chart.Height());
  EXPECT_EQ(CountPixels(written, clYellow), 0);
  EXPECT_EQ(CountPixels(written, clRed), 0);
  EXPECT_EQ(CountPixels(written, clBlue), 0);
  EXPECT_GT(CountPixels(written, clSilver), 0);  // the shadow
  EXPECT_TRUE(SameImage(chart.ControlBitmap(), screen, "screen-after-export"));
  EXPECT_EQ(chart.WindColor(), clYellow);
  EXPECT_EQ(chart.Scale1X().ColorScale(), clRed);
  EXPECT_EQ(chart.ShadowColor(), clGrayText);

  EXPECT_THROW(chart.SaveBitmap(folder.Path("missing/export.bmp"), true), EKurvexError);
  EXPECT_EQ(chart.WindColor(), clYellow);
  chart.Paint();
  EXPECT_GT(CountPixels(chart.ControlBitmap(), clYellow), 0);
  EXPECT_GT(CountPixels(chart.ControlBitmap(), clRed), 0);
}

}  // namespace
}  // namespace kurvex::test
