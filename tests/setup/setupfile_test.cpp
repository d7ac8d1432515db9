// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "intake/intakestate.h"
#include "setup/setupfile.h"

namespace kurvex {
namespace {

TSetup FullSetup() {
  return {.ComNumber = 5,
          .StableDevice = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
          .DevicePath = "/dev/ttyUSB0", .BaudRate = 9600, .DataFormat = "7E1", .Trend = true,
          .ScaleFactor = 1.5, .ScaleOffset = -0.25, .GraphXMax = 1000, .GraphYMax = 10, .GraphYMin = -2.5,
          .ShowGrid = true, .DoubleTics = false, .LogY = false, .RightYMin = 900, .RightYMax = 1100,
          .XAxis = TXAxis{TXAxisMode::Curve, 2}, .Record = true,
          .RecordingFolder = "/home/labor/Messungen", .RecordingFile = "/home/labor/Messungen/Waage Süd.csv",
          .RecordingDialect = cdExcel, .SendAtStart = "*RST;:CONF:VOLT:DC 10", .SendAtStop = "SYST:LOC",
          .Query = "MEAS?", .QueryIntervalMs = 100, .QueryTimeoutMs = 1500, .CommandLineEnd = TCommandLineEnd::Lf,
          .Curves = {{"Temperatur", 0x0000ff, true}, {"Druck", 0xff8000, false, 0.1, -1013.25, "hPa", TCurveAxis::Right}, {}}};
}

// The format a save writes; a change here is a change of the file format.
constexpr std::string_view kFullText = R"({
    "Kurvex-Setup": 1,
    "curves": [
        {
            "color": "#0000ff",
            "name": "Temperatur",
            "shown": true
        },
        {
            "axis": "right",
            "color": "#ff8000",
            "factor": 0.1,
            "name": "Druck",
            "offset": -1013.25,
            "shown": false,
            "unit": "hPa"
        },
        {
        }
    ],
    "graph": {
        "doubleTics": false,
        "grid": true,
        "logY": false,
        "mode": "Trend",
        "rightYMax": 1100,
        "rightYMin": 900,
        "xAxis": 2,
        "xMax": 1000,
        "yMax": 10,
        "yMin": -2.5
    },
    "port": {
        "adapter": "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
        "baudRate": 9600,
        "com": 5,
        "dataFormat": "7E1",
        "device": "/dev/ttyUSB0"
    },
    "recording": {
        "dialect": "semicolon",
        "file": "/home/labor/Messungen/Waage Süd.csv",
        "folder": "/home/labor/Messungen",
        "record": true
    },
    "scaling": {
        "factor": 1.5,
        "offset": -0.25
    },
    "sending": {
        "atStart": "*RST;:CONF:VOLT:DC 10",
        "atStop": "SYST:LOC",
        "intervalMs": 100,
        "lineEnd": "LF",
        "query": "MEAS?",
        "timeoutMs": 1500
    }
}
)";

TEST(SetupFile, AFullSetupIsWrittenAsItsFormatAndReadBackWhole) {
  const std::string text = SetupText(FullSetup());
  EXPECT_EQ(text, kFullText);
  const TSetupRead read = ReadSetup(text);
  EXPECT_EQ(read.Refusal, TSetupRead::None);
  EXPECT_TRUE(read.Skipped.empty());
  EXPECT_EQ(read.Setup, FullSetup());
  EXPECT_EQ(SetupText(read.Setup), text);
}

TEST(SetupFile, TheXAxisIsNamedOrACurvesNumber) {
  for (const TXAxis axis : {TXAxis{}, TXAxis{TXAxisMode::Seconds}, TXAxis{TXAxisMode::TimeOfDay}, TXAxis{TXAxisMode::Curve, 16}}) {
    TSetup setup;
    setup.XAxis = axis;
    EXPECT_EQ(ReadSetup(SetupText(setup)).Setup.XAxis, axis) << SetupText(setup);
  }
  TSetup setup;
  setup.XAxis = TXAxis{TXAxisMode::TimeOfDay};
  EXPECT_NE(SetupText(setup).find("\"xAxis\": \"time-of-day\"\n"), std::string::npos);
}

TEST(SetupFile, AnEmptySetupWritesTheVersionAloneAndSaysNothing) {
  EXPECT_EQ(SetupText({}), "{\n    \"Kurvex-Setup\": 1\n}\n");
  const TSetupRead read = ReadSetup(SetupText({}));
  EXPECT_EQ(read.Refusal, TSetupRead::None);
  EXPECT_EQ(read.Setup, TSetup{});
}

TEST(SetupFile, NumbersKeepTheirValueAndWholeOnesHaveNoFraction) {
  for (const double offset : {0.1, 1.0 / 3, -2.5e-7, 123456.789, 3.4e38, 1e-300, 4503599627370497.0, -0.0}) {
    TSetup setup;
    setup.ScaleOffset = offset;
    const std::string text = SetupText(setup);
    EXPECT_EQ(ReadSetup(text).Setup.ScaleOffset, offset) << text;
    EXPECT_EQ(SetupText(ReadSetup(text).Setup), text);
  }
  TSetup setup;
  setup.GraphXMax = 99999;
  setup.BaudRate = 4000000;
  EXPECT_NE(SetupText(setup).find("\"xMax\": 99999\n"), std::string::npos);
  EXPECT_NE(SetupText(setup).find("\"baudRate\": 4000000\n"), std::string::npos);
}

// A file read again gives the same setup and bytes, whatever layout and
// key order a person gave it.
TEST(SetupFile, AFileEditedByHandReadsWhateverItsLayoutAndKeyOrder) {
  const TSetupRead read = ReadSetup(
      R"({"port": {"dataFormat": "8N1", "com": 0}, "Kurvex-Setup": 1.0, "curves": [{"color": "#00FF7f"}]})");
  TSetup expected;
  expected.ComNumber = 0;
  expected.DataFormat = "8N1";
  expected.Curves = {{std::nullopt, 0x00ff7f, std::nullopt}};
  EXPECT_EQ(read.Setup, expected);
  EXPECT_EQ(ReadSetup(SetupText(read.Setup)).Setup, expected);
}

struct TRefusalCase {
  std::string Text;
  TSetupRead::TRefusal Refusal;
  TSetupProblem Where;
};

TEST(SetupFile, AFileThatIsNoSetupOrANewerOneIsRefusedWithWhereItStopped) {
  const std::string version = "Kurvex-Setup";
  const TRefusalCase cases[] = {
      {"", TSetupRead::NotASetup, {1, "", ""}},
      {"   \n", TSetupRead::NotASetup, {2, "", ""}},
      {"Temperatur;Druck\n1;2\n", TSetupRead::NotASetup, {1, "", ""}},
      {"{\n\"Kurvex-Setup\": 1,\n\"port\": x\n}", TSetupRead::NotASetup, {3, "", ""}},
      {"{\"Kurvex-Setup\": 1}\n{}", TSetupRead::NotASetup, {2, "", ""}},
      {"[{\"Kurvex-Setup\": 1}]", TSetupRead::NotASetup, {1, "", ""}},
      {"{\n\"port\": {\"com\": 5}\n}", TSetupRead::NotASetup, {1, version, ""}},
      {"{\n\"port\": {},\n\"Kurvex-Setup\": \"1\"\n}", TSetupRead::NotASetup, {3, version, "1"}},
      {"{\"Kurvex-Setup\": 0}", TSetupRead::NotASetup, {1, version, "0"}},
      {"{\"Kurvex-Setup\": 1.5}", TSetupRead::NotASetup, {1, version, "1.5"}},
      {"{\n\n\"Kurvex-Setup\": 2, \"port\": {\"com\": 5}}", TSetupRead::NewerVersion, {3, version, "2"}},
      {"{\"Kurvex-Setup\": 1e300}", TSetupRead::NewerVersion, {1, version, "1e+300"}},
      {"{\n\"Kurvex-Setup\": 1,\n\"port\": {\n\"com\": 5", TSetupRead::CutShort, {4, "", ""}},
      {"{\"Kurvex-Setup\": tr", TSetupRead::CutShort, {1, "", ""}},
      {"{\"Kurvex-Setup\": 1, \"port\": {\"device\": \"/dev/tty\\u00", TSetupRead::CutShort, {1, "", ""}},
      {"{\"Kurvex-Setup\": 1, \"port\": {\"device\": \"/dev/tty\\u00X", TSetupRead::NotASetup, {1, "", ""}},
  };
  for (const TRefusalCase& c : cases) {
    const TSetupRead read = ReadSetup(c.Text);
    EXPECT_EQ(read.Refusal, c.Refusal) << c.Text;
    EXPECT_EQ(read.Refused, c.Where) << c.Text;
    EXPECT_EQ(read.Setup, TSetup{}) << c.Text;
  }
}

TEST(SetupFile, AFileCutAnywhereIsCutShortAtTheLineWhereItEnds) {
  const std::string text(kFullText);
  const std::size_t end = text.rfind('}');
  for (std::size_t size = 1; size < end; ++size) {
    const std::string cut = text.substr(0, size);
    const TSetupRead read = ReadSetup(cut);
    ASSERT_EQ(read.Refusal, TSetupRead::CutShort) << cut;
    EXPECT_EQ(read.Refused->Line, 1 + std::count(cut.begin(), cut.end(), '\n')) << cut;
  }
}

TEST(SetupFile, AFileOverOneMebibyteIsNoSetup) {
  std::string text(kFullText);
  text.insert(1, kMaxSetupBytes, ' ');
  EXPECT_EQ(ReadSetup(text).Refusal, TSetupRead::NotASetup);
}

struct TBadValueCase {
  std::string_view Written, Bad;
  TSetupProblem Skipped;
  std::function<void(TSetup&)> Unset;
};

template <class T>
std::function<void(TSetup&)> Unset(std::optional<T> TSetup::*field) {
  return [field](TSetup& setup) { (setup.*field).reset(); };
}

template <class T>
std::function<void(TSetup&)> Unset(std::size_t curve, std::optional<T> TSetupCurve::*field) {
  return [curve, field](TSetup& setup) { (setup.Curves[curve].*field).reset(); };
}

// Each row puts one bad value into the full file, at the line of kFullText
// the entry is on; the rest of the file still applies.
TEST(SetupFile, AnEntryWithABadValueIsSkippedAndNamedWithItsLine) {
  const TBadValueCase cases[] = {
      {R"("com": 5)", R"("com": 256)", {36, "port.com", "256"}, Unset(&TSetup::ComNumber)},
      {R"("intervalMs": 100)", R"("intervalMs": 5)", {53, "sending.intervalMs", "5"}, Unset(&TSetup::QueryIntervalMs)},
      {R"("lineEnd": "LF")", R"("lineEnd": "CRCR")", {54, "sending.lineEnd", "CRCR"}, Unset(&TSetup::CommandLineEnd)},
      {R"("com": 5)", R"("com": "COM5")", {36, "port.com", "COM5"}, Unset(&TSetup::ComNumber)},
      {R"("baudRate": 9600)", R"("baudRate": 12345678)", {35, "port.baudRate", "12345678"},
       Unset(&TSetup::BaudRate)},
      {R"("baudRate": 9600)", R"("baudRate": 0)", {35, "port.baudRate", "0"}, Unset(&TSetup::BaudRate)},
      {R"("dataFormat": "7E1")", R"("dataFormat": "8N3")", {37, "port.dataFormat", "8N3"},
       Unset(&TSetup::DataFormat)},
      {R"("dataFormat": "7E1")", R"("dataFormat": "7e1")", {37, "port.dataFormat", "7e1"},
       Unset(&TSetup::DataFormat)},
      {R"("device": "/dev/ttyUSB0")", R"("device": "")", {38, "port.device", ""}, Unset(&TSetup::DevicePath)},
      {R"("device": "/dev/ttyUSB0")", R"("device": "/dev/tty\u0000")",
       {38, "port.device", std::string("/dev/tty\0", 9)}, Unset(&TSetup::DevicePath)},
      {R"("factor": 1.5)", R"("factor": "abc")", {47, "scaling.factor", "abc"}, Unset(&TSetup::ScaleFactor)},
      {R"("factor": 1.5)", R"("factor": -1.5)", {47, "scaling.factor", "-1.5"}, Unset(&TSetup::ScaleFactor)},
      {R"("offset": -0.25)", R"("offset": 1e39)", {48, "scaling.offset", "1e+39"}, Unset(&TSetup::ScaleOffset)},
      {R"("mode": "Trend")", R"("mode": "trend")", {25, "graph.mode", "trend"}, Unset(&TSetup::Trend)},
      {R"("xMax": 1000)", R"("xMax": 0)", {29, "graph.xMax", "0"}, Unset(&TSetup::GraphXMax)},
      {R"("xMax": 1000)", R"("xMax": 100000)", {29, "graph.xMax", "100000"}, Unset(&TSetup::GraphXMax)},
      {R"("xMax": 1000)", R"("xMax": 12.5)", {29, "graph.xMax", "12.5"}, Unset(&TSetup::GraphXMax)},
      {R"("yMax": 10)", R"("yMax": -10)", {30, "graph.yMax", "-10"}, Unset(&TSetup::GraphYMax)},
      {R"("yMin": -2.5)", R"("yMin": [])", {31, "graph.yMin", "[…]"}, Unset(&TSetup::GraphYMin)},
      {R"("grid": true)", R"("grid": 1)", {23, "graph.grid", "1"}, Unset(&TSetup::ShowGrid)},
      {R"("record": true)", R"("record": null)", {44, "recording.record", "null"}, Unset(&TSetup::Record)},
      {R"("dialect": "semicolon")", R"("dialect": "tab")", {41, "recording.dialect", "tab"},
       Unset(&TSetup::RecordingDialect)},
      {R"("color": "#ff8000")", R"("color": "orange")", {11, "curves[2].color", "orange"},
       Unset(1, &TSetupCurve::Color)},
      {R"("color": "#ff8000")", R"("color": "#ff800")", {11, "curves[2].color", "#ff800"},
       Unset(1, &TSetupCurve::Color)},
      {R"("color": "#ff8000")", R"("color": "#-ff800")", {11, "curves[2].color", "#-ff800"},
       Unset(1, &TSetupCurve::Color)},
      {R"("name": "Temperatur")", R"("name": {"de": "Temperatur"})", {6, "curves[1].name", "{…}"},
       Unset(0, &TSetupCurve::Name)},
      {R"("name": "Druck")", R"("name": "Druck im Kessel, gemessen am Einlass mit dem Sensor 7 nach dem Filter")",
       {13, "curves[2].name", "Druck im Kessel, gemessen am Einlass mit…"}, Unset(1, &TSetupCurve::Name)},
      {R"("shown": false)", R"("shown": "nein")", {15, "curves[2].shown", "nein"},
       Unset(1, &TSetupCurve::Shown)},
      {R"("factor": 0.1)", R"("factor": 0)", {12, "curves[2].factor", "0"}, Unset(1, &TSetupCurve::Factor)},
      {R"("offset": -1013.25)", R"("offset": "abc")", {14, "curves[2].offset", "abc"}, Unset(1, &TSetupCurve::Offset)},
      {R"("unit": "hPa")", R"("unit": "")", {16, "curves[2].unit", ""}, Unset(1, &TSetupCurve::Unit)},
      {R"("axis": "right")", R"("axis": "rechts")", {10, "curves[2].axis", "rechts"}, Unset(1, &TSetupCurve::Axis)},
      {"{\n        }", "5", {18, "curves[3]", "5"}, [](TSetup&) {}},
      {R"("xAxis": 2)", R"("xAxis": 17)", {28, "graph.xAxis", "17"}, Unset(&TSetup::XAxis)},
      {R"("xAxis": 2)", R"("xAxis": "2")", {28, "graph.xAxis", "2"}, Unset(&TSetup::XAxis)},
      {R"("xAxis": 2)", R"("xAxis": "Zeit")", {28, "graph.xAxis", "Zeit"}, Unset(&TSetup::XAxis)},
  };
  for (const TBadValueCase& c : cases) {
    std::string text(kFullText);
    const std::size_t at = text.find(c.Written);
    ASSERT_NE(at, std::string::npos) << c.Written;
    text.replace(at, c.Written.size(), c.Bad);
    const TSetupRead read = ReadSetup(text);
    TSetup expected = FullSetup();
    c.Unset(expected);
    EXPECT_EQ(read.Refusal, TSetupRead::None) << c.Bad;
    EXPECT_EQ(read.Skipped, std::vector{c.Skipped}) << c.Bad;
    EXPECT_EQ(read.Setup, expected) << c.Bad;
  }
}

TEST(SetupFile, AGroupOfTheWrongKindIsSkippedWhole) {
  const TSetupRead read = ReadSetup("{\"Kurvex-Setup\": 1,\n\"port\": 5,\n\"curves\": {\"name\": \"x\"},\n"
                                    "\"graph\": {\"logY\": true}}");
  EXPECT_EQ(read.Skipped, (std::vector<TSetupProblem>{{2, "port", "5"}, {3, "curves", "{…}"}}));
  EXPECT_EQ(read.Setup.LogY, true);
  EXPECT_EQ(read.Setup.ComNumber, std::nullopt);
}

TEST(SetupFile, CurvesBeyondTheLastAreSkippedAsOne) {
  std::string text = "{\"Kurvex-Setup\": 1, \"curves\": [\n";
  for (std::size_t i = 0; i < kMaxCurves + 3; ++i) text += "{\"shown\": true},\n";
  text += "{}]}";
  const TSetupRead read = ReadSetup(text);
  EXPECT_EQ(read.Setup.Curves, std::vector<TSetupCurve>(kMaxCurves, {std::nullopt, std::nullopt, true}));
  const int line = static_cast<int>(kMaxCurves) + 2;
  EXPECT_EQ(read.Skipped, (std::vector<TSetupProblem>{{line, "curves[17]", "{…}"}}));
}

// Keys of the same name elsewhere, a value that looks like a key, and a key
// repeated (its last value counts) do not mislead the line.
TEST(SetupFile, AnEntrysLineIsTheLineOfItsOwnKey) {
  const TSetupRead read = ReadSetup(
      "{\"Kurvex-Setup\": 1,\n"
      "\"old\": {\"baudRate\": 0},\n"
      "\"curves\": [{\"name\": \"baudRate\"}, {\"color\": \"grün\"}],\n"
      "\"port\":\n"
      "  {\"com\": 3, \"baudRate\":\n"
      "  0, \"com\": 300}}");
  EXPECT_EQ(read.Skipped, (std::vector<TSetupProblem>{{3, "curves[2].color", "grün"}, {5, "port.com", "300"},
                                                      {5, "port.baudRate", "0"}}));
}

TEST(SetupFile, UnknownEntriesAreIgnoredSilently) {
  const TSetupRead read = ReadSetup(R"({
    "Kurvex-Setup": 1,
    "commands": {"start": "SIR"},
    "port": {"baudRate": 9600, "flowControl": "RTS/CTS"},
    "curves": [{"marker": "dot", "name": "T"}]
  })");
  TSetup expected;
  expected.BaudRate = 9600;
  expected.Curves = {{"T", std::nullopt, std::nullopt}};
  EXPECT_EQ(read.Refusal, TSetupRead::None);
  EXPECT_TRUE(read.Skipped.empty());
  EXPECT_EQ(read.Setup, expected);
}

}  // namespace
}  // namespace kurvex
