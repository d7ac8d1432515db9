// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/drawing/alignment.h"
#include "platform/drawing/color.h"
#include "platform/windows/control.h"
#include "platform/windows/deferredtext.h"

namespace kurvex {

/// A piece of a caption, in its own colour or in the label's.
struct TTextPart {
  std::string Text;
  std::optional<TColor> Color;
};

/// The parts' texts one after the other.
std::string PlainText(const std::vector<TTextPart>& parts);

/// A static text. With AutoSize on (the default) the label takes the size
/// of its text whenever the caption or the font changes; with word wrap it
/// keeps its width and only adjusts its height. GUI thread only.
class TLabel : public TWinControl {
 public:
  explicit TLabel(TWinControl* parent);

  /// Several lines are separated by '\n'.
  /// Caption() has the new text at once. An auto-sized label shows it at
  /// once too; a fixed-size one within 140 ms (TDeferredText).
  void SetCaption(const std::string& caption);
  /// The caption made from `source` when read or shown; for fixed-size
  /// labels whose text changes per sample (TDeferredText::SetSource).
  void SetCaptionSource(TTextSource source);
  std::string Caption() const;
  /// A caption whose parts show in their colours; Caption() and what screen
  /// readers hear are its plain text.
  void SetCaptionParts(const std::vector<TTextPart>& parts);

  void SetAlignment(TAlignment alignment);
  TAlignment Alignment() const;
  void SetWordWrap(bool wrap);
  bool WordWrap() const;
  void SetAutoSize(bool autoSize);
  bool AutoSize() const;
  /// True (the default): the parent shows through around the text. False:
  /// the label fills its rectangle with its parent's colour, so a new text
  /// repaints the label alone and not the panel and window beneath it.
  void SetTransparent(bool transparent);
  bool Transparent() const;

  /// The field this label names: the field announces the label's text (until
  /// it is given a name of its own) and takes the focus on the label's
  /// accelerator key. A label named so (a value shown beside its caption)
  /// keeps announcing its own text and is labelled by this one.
  void SetFocusControl(TWinControl* control);
  /// Read as the value `caption` names, for a caption over several values
  /// (a column of a table), where it can name only one as its focus control.
  void SetLabelledBy(TLabel& caption);

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
  struct TMarkup {
    std::string Plain, Rich;  // Rich empty: a plain caption
  } m_markup;                 // the coloured caption, as text and as Qt's rich text
};

}  // namespace kurvex
