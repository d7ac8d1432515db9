// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "platform/drawing/alignment.h"
#include "platform/windows/control.h"
#include "platform/windows/deferredtext.h"

namespace kurvex {

/// A static text. With AutoSize on (the default) the label takes the size
/// of its text whenever the caption or the font changes; with word wrap it
/// keeps its width and only adjusts its height. GUI thread only.
class TLabel : public TWinControl {
 public:
  explicit TLabel(TWinControl* parent);

  /// Several lines are separated by '\n'.
  /// Caption() has the new text at once. An auto-sized label shows it at
  /// once too; a fixed-size one within 40 ms (TDeferredText).
  void SetCaption(const std::string& caption);
  /// The caption made from `source` when read or shown; for fixed-size
  /// labels whose text changes per sample (TDeferredText::SetSource).
  void SetCaptionSource(TTextSource source);
  std::string Caption() const;

  void SetAlignment(TAlignment alignment);
  TAlignment Alignment() const;
  void SetWordWrap(bool wrap);
  bool WordWrap() const;
  void SetAutoSize(bool autoSize);
  bool AutoSize() const;

  /// The field this label names: the field announces the label's text (until
  /// it is given a name of its own) and takes the focus on the label's
  /// accelerator key. A label named so (a value shown beside its caption)
  /// keeps announcing its own text and is labelled by this one.
  void SetFocusControl(TWinControl* control);

  /// A double click with the left button.
  TNotifyEvent OnDblClick;

 private:
  void AdjustSize();
  bool NamesFocusControl() const;
  void ApplyCaption(const std::string& caption);

  TAlignment m_alignment = taLeftJustify;
  bool m_autoSize = true;
  TWinControl* m_focusControl = nullptr;
  TDeferredText m_caption;  // fixed-size labels' caption, shown at a frame
};

}  // namespace kurvex
