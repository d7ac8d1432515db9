// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "recording/csvdialect.h"

namespace kurvex {

/// The format version a setup file is written with; a reader refuses files
/// of a higher one.
inline constexpr int kSetupVersion = 1;

/// What ends a command sent to the instrument.
enum class TCommandLineEnd : std::uint8_t { CrLf, Lf, Cr, None };

/// Which Y axis a curve is drawn against: the left one (layer 1) or the
/// right one (layer 2), which shows only while a curve uses it.
enum class TCurveAxis : std::uint8_t { Left, Right };

/// What the X axis shows: the sample number, the time since Start, the
/// time of day, or one curve's value with the others drawn against it.
enum class TXAxisMode : std::uint8_t { Samples, Seconds, TimeOfDay, Curve };
struct TXAxis {
  TXAxisMode Mode = TXAxisMode::Samples;
  /// With Curve: the curve's number, 1 to kMaxCurves.
  int Curve = 0;
  bool operator==(const TXAxis&) const = default;
};

/// What a setup says of one curve. Unset: the window keeps what it shows.
struct TSetupCurve {
  std::optional<std::string> Name{};
  /// 0xRRGGBB.
  std::optional<std::uint32_t> Color{};
  std::optional<bool> Shown{};
  /// The curve's own scaling; unset, the window's factor and offset.
  std::optional<double> Factor{}, Offset{};
  /// The unit the user gave it ("°C"); unset, the instrument's.
  std::optional<std::string> Unit{};
  std::optional<TCurveAxis> Axis{};
  bool operator==(const TSetupCurve&) const = default;
};

/// A measurement setup ("Messaufbau"): what the window holds of an
/// instrument, its display and its recording. Each field is unset when the
/// file does not say; the window then keeps what it shows.
struct TSetup {
  /// The port: its COM number, and for a USB adapter its stable device name
  /// ("/dev/serial/by-id/…"), which finds the same adapter under another
  /// number; or a device path the user typed ("/dev/ttyUSB0").
  std::optional<int> ComNumber;
  std::optional<std::string> StableDevice;
  std::optional<std::string> DevicePath;
  std::optional<std::uint32_t> BaudRate;
  /// "8N1" … "7N2": 7 or 8 data bits, parity N, E or O, 1 or 2 stop bits.
  std::optional<std::string> DataFormat;

  std::optional<bool> Trend;
  std::optional<double> ScaleFactor, ScaleOffset, GraphXMax, GraphYMax, GraphYMin;
  std::optional<bool> ShowGrid, DoubleTics, LogY;
  /// The right Y axis's fixed range; unset, it follows the samples.
  std::optional<double> RightYMin, RightYMax;
  std::optional<TXAxis> XAxis;

  /// "Aufzeichnen", and where and how the recordings are written.
  std::optional<bool> Record;
  std::optional<std::string> RecordingFolder, RecordingFile;
  std::optional<TCsvDialect> RecordingDialect;

  /// What is sent to the instrument, as typed (with its escapes): right
  /// after the port opens, right before it closes, and a query every
  /// interval while acquiring, each answer awaited at most the timeout.
  std::optional<std::string> SendAtStart, SendAtStop, Query;
  std::optional<std::uint32_t> QueryIntervalMs, QueryTimeoutMs;
  /// The shortest and longest interval and timeout, in milliseconds.
  static constexpr std::uint32_t kMinQueryMs = 10, kMaxQueryMs = 3'600'000;
  std::optional<TCommandLineEnd> CommandLineEnd;

  /// Curve 1 first, at most kMaxCurves (intake/intakestate.h).
  std::vector<TSetupCurve> Curves;

  bool operator==(const TSetup&) const = default;
};

}  // namespace kurvex
