// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kurvex {

/// Longest tick label; longer numeric labels are cut to this many characters.
inline constexpr std::size_t kMaxTickLabelLength = 14;

/// Decimals of the labels of a linear scale: decPlaces unless it is -2 or -3
/// (automatic); then -1 (scientific) for ranges of at least 1e6 or at most
/// 1e-4, 0 from 100 on, else 2 - round(ln r / 2.5).
int AutoDecimals(int decPlaces, double high, double low);

/// Decimals of the labels of a logarithmic scale over lo..hi: decPlaces
/// unless it is -2 (-3 stays, meaning exponent labels).
int LogAutoDecimals(int decPlaces, double lo, double hi);

/// Fixed-point text with exactly n decimals for n >= 0; for n = -1 the
/// scientific form " 1.5E+03" / "-2.0E-05", or "********" when the exponent
/// needs three digits. Always "." as decimal point.
std::string FormatTickValue(double v, int n);

/// Label of a linear tick: values within 1e-14 of the range count as 0
/// ("0" or "0.0" on ranges wider than 100000), cut to 14 characters.
std::string LinearTickLabel(double v, double high, double low, int decimals);

/// Label of a logarithmic tick: FormatTickValue cut to 14 characters; with
/// trimZeros, trailing zeros and then a trailing "." of a fixed-point text
/// are dropped ("0.0200" gives "0.02").
std::string LogTickLabel(double v, int decimals, bool trimZeros);

/// The n-th (from 1) "|"-separated item of text; the last item when there are
/// fewer. An empty item gives an empty label.
std::string UserTickItem(std::string_view text, int n);

/// Wraps a label in the inscript: the label replaces the first "&", or
/// follows the inscript when it has none. An empty label stays empty.
std::string ApplyInscript(const std::string& label, std::string_view inscript);

/// Time label of a value in seconds: sign (blank or "-"), then hh:mm:ss of
/// the magnitude with at least two digits each, and ".mmm" with milliseconds.
std::string TimeTickLabel(double seconds, bool milliseconds);

}  // namespace kurvex
