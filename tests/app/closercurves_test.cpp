// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include <QAccessible>
#include <QLabel>

#include "app/closer/closertexts.h"
#include "app/curvesettings.h"
#include "platform/drawing/qtconvert.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/recordingclipboard.h"
#include "tests/support/tempfolder.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

// Two named curves: Temp k / 4 °C and Druck 1000 + k hPa at sample k, Druck
// missing at every tenth sample, so the two curves count differently.
class CloserCurvesTest : public MainWindowTest {
 protected:
  static constexpr int kSamples = 100;
  CloserCurvesTest() {
    form->StartButton->Click();
    std::string bytes;
    for (int k = 1; k <= kSamples; ++k) {
      bytes += "Temp: " + std::to_string(k / 4.0) + " °C";
      if (k % 10 != 0) bytes += ";Druck: " + std::to_string(1000 + k) + " hPa";
      bytes += "\r\n";
    }
    Receive(bytes);
    form->StopButton->Click();
    Chart().SetRange(1, 0, 0, kSamples, 30);
  }
  static std::optional<double> Temp(int k) { return k / 4.0; }
  static std::optional<double> Druck(int k) { return k % 10 != 0 ? std::optional(1000.0 + k) : std::nullopt; }

  TChartControl& Chart() { return *form->Chart1; }
  TCloserLook& Closer() { return form->CloserLook(); }
  void PointAt(double x) {
    int px, py;
    Chart().WorldToPixel(1, x, 0, px, py);
    MouseMove(Chart().Widget(), {px, Chart().TRim() + 30});
  }
  /// The text `label` shows once a frame has shown `expected`.
  static std::string Shown(TLabel& label, const std::string& expected) {
    WaitUntil([&] { return label.Caption() == expected && Spoken(label) == expected; });
    return Spoken(label);
  }
  static std::string Spoken(TLabel& label) {
    return QAccessible::queryAccessibleInterface(label.Widget())->text(QAccessible::Name).toStdString();
  }
  TLabel& Value(TFigure figure, std::size_t curve) { return *Closer().Panel().Table().Value(figure, curve); }

  RecordingClipboard clipboard;
};

TEST_F(CloserCurvesTest, TheReadoutGivesEachShownCurvesValueInItsColour) {
  PointAt(45);
  TLabel& readout = *Closer().Panel().ReadoutLabel;
  const std::string expected = "Sample 45 · Temp " + FigureText(Temp(45), "°C", ',') + " · Druck " +
                               FigureText(Druck(45), "hPa", ',') + " · ";
  EXPECT_TRUE(WaitUntil([&] { return Spoken(readout).rfind(expected, 0) == 0; })) << Spoken(readout);
  EXPECT_EQ(readout.Caption(), Spoken(readout));
  const QString shown = static_cast<QLabel*>(readout.Widget())->text();
  const QString druck = ToQColor(TCurveSettings::Defaults().Color(1)).name();
  EXPECT_TRUE(shown.contains("<span style=\"color:" + druck + "\">Druck 1045 hPa</span>")) << shown.toStdString();

  PointAt(50);  // Druck has a gap there
  EXPECT_TRUE(WaitUntil([&] { return Spoken(readout).find("· Druck – ·") != std::string::npos; })) << Spoken(readout);

  // With Druck hidden, the readout is the one curve's, as ever.
  Chart().SetCurveVisible(1, false);
  PointAt(45);
  EXPECT_TRUE(WaitUntil([&] { return Spoken(readout).rfind("Sample 45 · 11,25 · ", 0) == 0; })) << Spoken(readout);
}

// The figures of samples first … last of one curve, worked out directly.
struct Direct {
  std::vector<double> values;
  Direct(std::optional<double> (*curve)(int), int first, int last) {
    for (int k = first; k <= last; ++k)
      if (auto v = curve(k)) values.push_back(*v);
  }
  double Min() const { return *std::min_element(values.begin(), values.end()); }
  double Max() const { return *std::max_element(values.begin(), values.end()); }
  double Mean() const {
    double sum = 0;
    for (double v : values) sum += v;
    return sum / static_cast<double>(values.size());
  }
  double Deviation() const {
    double squares = 0;
    for (double v : values) squares += (v - Mean()) * (v - Mean());
    return std::sqrt(squares / static_cast<double>(values.size()));
  }
};

TEST_F(CloserCurvesTest, MarkersAndStatisticsGiveARowOfFiguresPerCurveEachReadWithItsColumn) {
  const int singleHeight = 5 * 17 + 8;
  PointAt(21);
  Closer().SetMarker(TCloserLook::MarkerA);
  PointAt(61);
  Closer().SetMarker(TCloserLook::MarkerB);
  ASSERT_EQ(Closer().Marker(TCloserLook::MarkerB).Number, 61);
  TCloserPanel& panel = Closer().Panel();
  ASSERT_TRUE(WaitUntil([&] { return panel.Table().Value(TFigure::Minimum, 1) != nullptr; }));
  EXPECT_GT(panel.Panel->Height(), singleHeight) << "the rows take room";
  EXPECT_EQ(Shown(panel.Value(TFigure::MarkerB), "Sample 61"), "Sample 61");
  EXPECT_EQ(Shown(panel.Value(TFigure::DeltaSamples), "40"), "40");

  const std::pair<std::size_t, std::optional<double> (*)(int)> curves[] = {{0, &Temp}, {1, &Druck}};
  const char* units[] = {"°C", "hPa"};
  for (const auto& [curve, values] : curves) {
    const Direct d(values, 21, 61);
    const std::string unit = units[curve];
    const double delta = *values(61) - *values(21);
    const std::pair<TFigure, std::string> expected[] = {
        {TFigure::DeltaValue, FigureText(delta, unit, ',')},
        {TFigure::SlopePerSample, FigureText(delta / 40, unit, ',')},
        {TFigure::Count, std::to_string(d.values.size())},
        {TFigure::Minimum, FigureText(d.Min(), unit, ',')},
        {TFigure::Maximum, FigureText(d.Max(), unit, ',')},
        {TFigure::Mean, FigureText(d.Mean(), unit, ',')},
        {TFigure::StandardDeviation, FigureText(d.Deviation(), unit, ',')},
        {TFigure::PeakToPeak, FigureText(d.Max() - d.Min(), unit, ',')},
    };
    for (const auto& [figure, text] : expected) {
      TLabel& value = Value(figure, curve);
      EXPECT_EQ(Shown(value, text), text) << value.Name();
      // Read with its column's caption, as its own text.
      const auto labels = QAccessible::queryAccessibleInterface(value.Widget())->relations(QAccessible::Label);
      ASSERT_EQ(labels.size(), 1) << value.Name();
      EXPECT_EQ(labels.front().first->object(), panel.Table().Caption(figure).Widget());
    }
  }
  EXPECT_EQ(Value(TFigure::Minimum, 1).Name(), "MinimumValue2");
  EXPECT_EQ(panel.Table().Caption(TFigure::StandardDeviation).Caption(), "Standardabweichung");
  EXPECT_EQ(Shown(*panel.StatisticsRangeLabel, "Statistik: von A bis B"), "Statistik: von A bis B");

  // Every value lies inside the panel, however many blocks its width takes.
  for (int width : {900, 1300}) {
    form->SetBounds(form->Left(), form->Top(), width, 575);
    EXPECT_TRUE(WaitUntil([&] {
      const TLabel& last = Value(TFigure::PeakToPeak, 1);
      return last.Left() + last.Width() <= panel.Panel->Width() && last.Top() + last.Height() <= panel.Panel->Height();
    })) << width;
  }
}

TEST_F(CloserCurvesTest, TheCopyHasAColumnPerCurveForEachOfItsFiguresAndOneCurveCopiesAsEver) {
  PointAt(21);
  Closer().SetMarker(TCloserLook::MarkerA);
  PointAt(61);
  Closer().SetMarker(TCloserLook::MarkerB);
  Closer().SetStatisticsShown(true);
  Closer().Copy();
  std::istringstream lines(clipboard.Text());
  std::string header, values;
  std::getline(lines, header);
  std::getline(lines, values);
  EXPECT_EQ(header,
            "Sample\tWert Temp\tWert Druck\tZeit\tSample A\tWert A Temp\tWert A Druck\tZeit A\t"
            "Sample B\tWert B Temp\tWert B Druck\tZeit B\tΔ Samples\tΔ Wert Temp\tΔ Wert Druck\tΔ Zeit (s)\t"
            "Steigung pro Sample Temp\tSteigung pro Sample Druck\tSteigung pro s Temp\tSteigung pro s Druck\t"
            "Anzahl Temp\tAnzahl Druck\tMinimum Temp\tMinimum Druck\tMaximum Temp\tMaximum Druck\t"
            "Mittelwert Temp\tMittelwert Druck\tStandardabweichung Temp\tStandardabweichung Druck\t"
            "Spitze-Spitze Temp\tSpitze-Spitze Druck");
  std::map<std::string, std::string> cell;
  std::istringstream names(header), cells(values);
  for (std::string name, text; std::getline(names, name, '\t') && std::getline(cells, text, '\t');) cell[name] = text;
  EXPECT_EQ(cell["Sample"], "61");
  EXPECT_EQ(cell["Wert Druck"], "1061");
  EXPECT_EQ(cell["Wert A Temp"], "5,25");
  EXPECT_EQ(cell["Δ Wert Druck"], "40");
  EXPECT_EQ(cell["Anzahl Temp"], "41");
  EXPECT_EQ(cell["Anzahl Druck"], "37");
  EXPECT_EQ(cell["Maximum Druck"], "1061");

  // Druck hidden: the one curve's table, headed as ever.
  Chart().SetCurveVisible(1, false);
  Closer().Copy();
  EXPECT_EQ(clipboard.Text().substr(0, clipboard.Text().find('\n')),
            "Sample\tWert\tZeit\tSample A\tWert A\tZeit A\tSample B\tWert B\tZeit B\tΔ Samples\tΔ Wert\t"
            "Δ Zeit (s)\tSteigung pro Sample\tSteigung pro s\tAnzahl\tMinimum\tMaximum\tMittelwert\t"
            "Standardabweichung\tSpitze-Spitze");
}

// A curve drawn against the right axis: its samples are read from the
// history and from a saved graph file's items, and the readout's line stands
// on its layer.
TEST_F(MainWindowTest, ACurveOfTheRightAxisIsReadAndMarkedOnItsLayer) {
  TempFolder folder;
  std::ofstream(folder.Path("rechts.kxs")) << R"({"Kurvex-Setup": 1, "curves": [{"axis": "right"}]})";
  ASSERT_TRUE(form->OpenSetupFile(folder.Path("rechts.kxs")));
  form->StartButton->Click();
  Receive("1013\r\n1020\r\n1000\r\n1005\r\n");
  form->StopButton->Click();
  TChartControl& chart = *form->Chart1;
  TCloserLook& closer = form->CloserLook();
  const auto pointAt = [&](double x) {
    int px, py;
    chart.WorldToPixel(1, x, 0, px, py);
    MouseMove(chart.Widget(), {px, chart.TRim() + 30});
  };
  chart.SetRange(1, 0, 0, 5, 10);
  pointAt(3);
  EXPECT_EQ(closer.Readout().Value, 1000);
  EXPECT_EQ(chart.CrossHair(1).Layer(), 2);

  chart.SaveGraph(folder.Path("rechts.kvx"));
  form->ClearGraphButton->Click();
  chart.LoadGraph(folder.Path("rechts.kvx"), true);
  chart.SetRange(1, 0, 0, 5, 10);
  pointAt(2);
  EXPECT_EQ(closer.Readout().Value, 1020);
  EXPECT_EQ(chart.CrossHair(1).Layer(), 2);
}

}  // namespace
}  // namespace kurvex::test
