#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/control.h"
#include "platform/deferredtext.h"

class QLabel;

namespace kurvex {

/// One text field of a status bar, `Width` pixels wide.
class TStatusPanel {
 public:
  explicit TStatusPanel(QLabel* label);
  std::string Text() const;
  /// Text() has the new text at once; the screen shows it within 40 ms
  /// (it may change with every sample, see TDeferredText).
  void SetText(const std::string& text);
  /// The text made from `source` when read or shown (TDeferredText::SetSource).
  void SetTextSource(TTextSource source);
  int Width() const;
  void SetWidth(int width);
  /// What the panel shows, for screen readers ("Sample-Anzahl"); they read
  /// the text as its name.
  void SetAccessibleDescription(const std::string& description);

 private:
  QLabel* m_label;  // owned by the status bar's widget
  TDeferredText m_text;
};

/// The panels of a status bar, left to right.
class TStatusPanels {
 public:
  explicit TStatusPanels(QWidget* bar) : m_bar(bar) {}
  /// Appends a panel; the reference stays valid while the status bar lives.
  TStatusPanel& Add(int width);
  int Count() const { return static_cast<int>(m_panels.size()); }
  /// index must be below Count().
  TStatusPanel& operator[](int index) { return *m_panels.at(index); }
  const TStatusPanel& operator[](int index) const { return *m_panels.at(index); }

 private:
  QWidget* m_bar;
  std::vector<std::unique_ptr<TStatusPanel>> m_panels;
};

/// A status bar docked to the bottom of its parent, with panels of fixed
/// widths. GUI thread only.
class TStatusBar : public TWinControl {
 public:
  explicit TStatusBar(TWinControl* parent);
  TStatusPanels& Panels() { return m_panels; }
  const TStatusPanels& Panels() const { return m_panels; }

 private:
  TStatusPanels m_panels;
};

}  // namespace kurvex
