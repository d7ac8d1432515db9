// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/system/jsontree.h"
#include "setup/setup.h"

namespace kurvex {

// The kinds of value a setup entry holds: each reads a JSON value (nullopt
// for a bad one) and writes what it reads back.

struct TFlagKind {
  std::optional<bool> Read(const TJsonValue& value) const;
  TJsonValue Write(bool flag) const { return flag; }
};

/// A whole number in [Min, Max].
template <class T>
struct TWholeKind {
  double Min, Max;
  std::optional<T> Read(const TJsonValue& value) const {
    const double* number = value.Number();
    if (number == nullptr || std::trunc(*number) != *number || *number < Min || *number > Max) return std::nullopt;
    return static_cast<T>(*number);
  }
  TJsonValue Write(T number) const { return static_cast<double>(number); }
};

/// A number from Min up to the largest single-precision value, the range
/// the window's number fields hold.
struct TNumberKind {
  double Min;
  bool NonZero = false;
  std::optional<double> Read(const TJsonValue& value) const;
  TJsonValue Write(double number) const { return number; }
};

/// A text of 1 to MaxBytes bytes without a NUL, which no path or name holds.
struct TTextKind {
  std::size_t MaxBytes;
  std::optional<std::string> Read(const TJsonValue& value) const;
  TJsonValue Write(const std::string& text) const { return text; }
};

/// One of a few names, each standing for a value.
template <class T, std::size_t N>
struct TNamedKind {
  std::array<std::pair<std::string_view, T>, N> Names;
  std::optional<T> Read(const TJsonValue& value) const {
    const std::string* text = value.Text();
    for (const auto& [name, named] : Names) {
      if (text != nullptr && *text == name) return named;
    }
    return std::nullopt;
  }
  TJsonValue Write(T named) const {
    for (const auto& [name, candidate] : Names) {
      if (candidate == named) return std::string(name);
    }
    return {};
  }
};

/// A serial data format, "8N1" … "7N2": 7 or 8 data bits, parity N, E or O,
/// 1 or 2 stop bits.
struct TDataFormatKind {
  std::optional<std::string> Read(const TJsonValue& value) const;
  TJsonValue Write(const std::string& format) const { return format; }
};

/// A colour 0xRRGGBB as "#rrggbb" (read in either case).
struct TColourKind {
  std::optional<std::uint32_t> Read(const TJsonValue& value) const;
  TJsonValue Write(std::uint32_t colour) const;
};

/// The X axis: "samples", "seconds", "time-of-day", or a curve's number.
struct TXAxisKind {
  std::optional<TXAxis> Read(const TJsonValue& value) const;
  TJsonValue Write(const TXAxis& axis) const;
};

/// The X axis named as the setup and the command line name it: "samples",
/// "seconds", "time-of-day", or a curve's number "1" to "16".
std::optional<TXAxis> XAxisNamed(std::string_view text);
std::string XAxisName(const TXAxis& axis);

}  // namespace kurvex
