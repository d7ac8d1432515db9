// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/windows/control.h"
#include "platform/windows/deferredtext.h"

class QLabel;

namespace kurvex {

/// How a status panel takes its width from the one it is given.
enum TStatusPanelWidth : std::uint8_t {
  pwFixed,  ///< exactly that width
  pwText,   ///< at least that width, wider when its text needs it
  pwFill,   ///< at least that width, and the room the other panels leave
};

/// One text field of a status bar. A text that does not fit is cut, and
/// shown whole as a tool tip.
class TStatusPanel {
 public:
  explicit TStatusPanel(QLabel* label);
  TStatusPanel(const TStatusPanel&) = delete;
  TStatusPanel& operator=(const TStatusPanel&) = delete;
  std::string Text() const;
  /// Text() has the new text at once; the screen shows it within 140 ms
  /// (it may change with every sample, see TDeferredText).
  void SetText(const std::string& text);
  /// SetText(head + middle + tail) for a text whose middle is a file name or
  /// a device path: when the whole does not fit, the middle is shortened in
  /// its middle ("…"), never head or tail, and the panel keeps at least the
  /// width head and tail need.
  void SetText(const std::string& head, const std::string& middle, const std::string& tail);
  /// The text made from `source` when read or shown (TDeferredText::SetSource).
  void SetTextSource(TTextSource source);
  /// The width it has on the screen.
  int Width() const;
  void SetWidth(int width, TStatusPanelWidth mode = pwFixed);
  /// What the panel shows, for screen readers ("Sample-Anzahl"); they read
  /// the text as its name.
  void SetAccessibleDescription(const std::string& description);

 private:
  void Show(const std::string& text);

  QLabel* m_label;  // owned by the status bar's widget
  // The parts of the last SetText.
  std::string m_head;
  std::string m_middle;
  std::string m_tail;
  TDeferredText m_text;
};

/// The panels of a status bar, left to right.
class TStatusPanels {
 public:
  explicit TStatusPanels(QWidget* bar) : m_bar(bar) {}
  /// Appends a panel; the reference stays valid while the status bar lives.
  TStatusPanel& Add(int width, TStatusPanelWidth mode = pwFixed);
  int Count() const { return static_cast<int>(m_panels.size()); }
  /// index must be below Count().
  TStatusPanel& operator[](int index) { return *m_panels.at(index); }
  const TStatusPanel& operator[](int index) const { return *m_panels.at(index); }

 private:
  QWidget* m_bar;
  std::vector<std::unique_ptr<TStatusPanel>> m_panels;
};

/// A status bar docked to the bottom of its parent, with its panels side by
/// side from the left. GUI thread only.
class TStatusBar : public TWinControl {
 public:
  explicit TStatusBar(TWinControl* parent);
  TStatusPanels& Panels() { return m_panels; }
  const TStatusPanels& Panels() const { return m_panels; }

 private:
  TStatusPanels m_panels;
};

}  // namespace kurvex
