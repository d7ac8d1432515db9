// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/setupentries.h"

#include <array>
#include <cstdint>
#include <limits>

#include "intake/linevalues.h"
#include "setup/entrykinds.h"

namespace kurvex {

namespace {

template <class>
struct TFieldOf;
template <class TRecord, class TField>
struct TFieldOf<std::optional<TField> TRecord::*> {
  using Record = TRecord;
};

// The entry `key` that holds the field `Member` as a value of `Kind`.
template <auto Member, const auto& Kind>
constexpr auto Entry(std::string_view key) {
  using TRecord = typename TFieldOf<decltype(Member)>::Record;
  return TSetupEntry<TRecord>{
      key,
      [](const TJsonValue& value, TRecord& record) {
        record.*Member = Kind.Read(value);
        return (record.*Member).has_value();
      },
      [](const TRecord& record) -> std::optional<TJsonValue> {
        if (!(record.*Member)) return std::nullopt;
        return Kind.Write(*(record.*Member));
      }};
}

constexpr TFlagKind kFlag;
// COM numbers as the port list names them; baud rates up to the highest
// rate a Linux serial driver has a code for.
constexpr TWholeKind<int> kComNumber{0, 255};
constexpr TWholeKind<std::uint32_t> kBaudRate{1, 4000000};
constexpr TDataFormatKind kDataFormat;
// The window's number fields: Graph X max is a whole number of at most
// five digits; the factor and Graph Y max take no sign.
constexpr TWholeKind<double> kSampleCount{1, 99999};
constexpr TNumberKind kNotNegative{0};
constexpr TNumberKind kSigned{-std::numeric_limits<float>::max()};
// A curve's own factor may turn it upside down, but never flatten it.
constexpr TNumberKind kCurveFactor{-std::numeric_limits<float>::max(), true};
constexpr TNamedKind<bool, 2> kMode{{{{"Normal", false}, {"Trend", true}}}};
constexpr TTextKind kPath{std::numeric_limits<std::size_t>::max()};
constexpr TNamedKind<TCsvDialect, 2> kDialect{{{{"comma", cdComma}, {"semicolon", cdExcel}}}};
// A curve is named as an instrument's line may name it.
constexpr TTextKind kCurveName{TLineValues::kMaxName};
constexpr TColourKind kColour;
constexpr TXAxisKind kXAxis;
constexpr TNamedKind<TCurveAxis, 2> kAxis{{{{"left", TCurveAxis::Left}, {"right", TCurveAxis::Right}}}};
// A command fits a line of the monitor; the query's pace runs from 10 ms to an hour.
constexpr TTextKind kCommand{1024};
constexpr TWholeKind<std::uint32_t> kMilliseconds{TSetup::kMinQueryMs, TSetup::kMaxQueryMs};
constexpr TNamedKind<TCommandLineEnd, 4> kLineEnd{
    {{{"CRLF", TCommandLineEnd::CrLf}, {"LF", TCommandLineEnd::Lf}, {"CR", TCommandLineEnd::Cr}, {"none", TCommandLineEnd::None}}}};

constexpr std::array kPort{
    Entry<&TSetup::ComNumber, kComNumber>("com"),
    Entry<&TSetup::StableDevice, kPath>("adapter"),
    Entry<&TSetup::DevicePath, kPath>("device"),
    Entry<&TSetup::BaudRate, kBaudRate>("baudRate"),
    Entry<&TSetup::DataFormat, kDataFormat>("dataFormat"),
};
constexpr std::array kScaling{
    Entry<&TSetup::ScaleFactor, kNotNegative>("factor"),
    Entry<&TSetup::ScaleOffset, kSigned>("offset"),
};
constexpr std::array kGraph{
    Entry<&TSetup::Trend, kMode>("mode"),
    Entry<&TSetup::GraphXMax, kSampleCount>("xMax"),
    Entry<&TSetup::GraphYMax, kNotNegative>("yMax"),
    Entry<&TSetup::GraphYMin, kSigned>("yMin"),
    Entry<&TSetup::ShowGrid, kFlag>("grid"),
    Entry<&TSetup::DoubleTics, kFlag>("doubleTics"),
    Entry<&TSetup::LogY, kFlag>("logY"),
    Entry<&TSetup::RightYMin, kSigned>("rightYMin"),
    Entry<&TSetup::RightYMax, kSigned>("rightYMax"),
    Entry<&TSetup::XAxis, kXAxis>("xAxis"),
};
constexpr std::array kRecording{
    Entry<&TSetup::Record, kFlag>("record"),
    Entry<&TSetup::RecordingFolder, kPath>("folder"),
    Entry<&TSetup::RecordingFile, kPath>("file"),
    Entry<&TSetup::RecordingDialect, kDialect>("dialect"),
};
constexpr std::array kCommands{
    Entry<&TSetup::SendAtStart, kCommand>("atStart"),
    Entry<&TSetup::SendAtStop, kCommand>("atStop"),
    Entry<&TSetup::Query, kCommand>("query"),
    Entry<&TSetup::QueryIntervalMs, kMilliseconds>("intervalMs"),
    Entry<&TSetup::QueryTimeoutMs, kMilliseconds>("timeoutMs"),
    Entry<&TSetup::CommandLineEnd, kLineEnd>("lineEnd"),
};
constexpr std::array kGroups{
    TSetupGroup{"port", kPort},
    TSetupGroup{"scaling", kScaling},
    TSetupGroup{"graph", kGraph},
    TSetupGroup{"recording", kRecording},
    TSetupGroup{"sending", kCommands},
};
constexpr std::array kCurve{
    Entry<&TSetupCurve::Name, kCurveName>("name"),
    Entry<&TSetupCurve::Color, kColour>("color"),
    Entry<&TSetupCurve::Shown, kFlag>("shown"),
    Entry<&TSetupCurve::Factor, kCurveFactor>("factor"),
    Entry<&TSetupCurve::Offset, kSigned>("offset"),
    Entry<&TSetupCurve::Unit, kCurveName>("unit"),
    Entry<&TSetupCurve::Axis, kAxis>("axis"),
};

}  // namespace

std::span<const TSetupGroup> SetupGroups() { return kGroups; }

std::span<const TSetupEntry<TSetupCurve>> CurveEntries() { return kCurve; }

}  // namespace kurvex
