// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace kurvex {

/// How a background picture covers the plot area: once at its own size,
/// stretched over it, or repeated.
enum TBakGndFill : std::uint8_t { bfSimple, bfStretch, bfTile };

/// The plot area's background picture: a Windows bitmap file read anew at
/// every clearing of the plot area. Setters store and fire OnChange (the
/// chart repaints). GUI thread only.
class TBakGndImg {
 public:
  /// The picture file; empty for none. Without IncludePath only the
  /// file-name part is kept.
  const std::string& Name() const { return m_name; }
  void SetName(const std::string& v);
  bool IncludePath() const { return m_includePath; }
  /// Switching it off drops the directory of Name.
  void SetIncludePath(bool v);
  TBakGndFill FillMode() const { return m_fillMode; }
  void SetFillMode(TBakGndFill v);
  /// Forgets a picture that could not be read, without notification, so
  /// that later redraws do not try again.
  void Drop() { m_name.clear(); }

  std::function<void()> OnChange;

 private:
  void Changed();

  std::string m_name;
  bool m_includePath = false;
  TBakGndFill m_fillMode = bfStretch;
};

}  // namespace kurvex
