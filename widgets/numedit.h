// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "platform/drawing/color.h"
#include "platform/windows/control.h"
#include "platform/system/localeformat.h"
#include "widgets/numeditrules.h"

namespace kurvex {

/// A single-line edit field that only lets a valid number be typed or
/// pasted and keeps a float value's text in one canonical form (exactly
/// Precision decimals, the decimal separator, no grouping). The typing rules
/// are those of numeditrules.h; this control feeds them keys, pastes and
/// focus changes. Enter and Escape go on to the parent window.
///
/// Configure the properties first and set the text last: changing a property
/// does not reformat the text already shown. GUI thread only.
class TNumEdit : public TWinControl {
 public:
  explicit TNumEdit(TWinControl* parent);
  ~TNumEdit() override;

  void SetEditType(TEditType type);
  TEditType EditType() const { return m_settings.EditType; }
  /// Decimals of a float field (see NumEditSettings::Precision).
  void SetPrecision(int precision);
  int Precision() const { return m_settings.Precision; }
  /// Most digits typed before the decimal separator; 0 = no limit.
  void SetLengthLimit(int limit);
  int LengthLimit() const { return m_settings.LengthLimit; }
  void SetSigned(bool isSigned);
  bool Signed() const { return m_settings.Signed; }
  /// An emptied field stays empty on leaving instead of showing 0.
  void SetAllowNumericNullValue(bool allow);
  bool AllowNumericNullValue() const { return m_settings.AllowNumericNullValue; }
  /// The separators numbers are typed and shown with; the system locale's
  /// unless set here.
  void SetSeparators(LocaleSeparators separators);
  LocaleSeparators Separators() const { return m_settings.Separators; }

  /// The whole value is selected when the field gets the focus (default on).
  void SetAutoSelect(bool autoSelect);
  bool AutoSelect() const { return m_autoSelect; }
  /// Texts shown before and after the value; not part of Text. UTF-8.
  void SetPrefix(const std::string& prefix);
  std::string Prefix() const { return m_prefix; }
  void SetSuffix(const std::string& suffix);
  std::string Suffix() const { return m_suffix; }

  /// The value as text: the shown text without Prefix and Suffix.
  std::string Text() const;
  /// Shows `text` in canonical form (CanonicalText) and clears Modified.
  /// Throws EConvertError, leaving the field as it was, when a float field
  /// gets a text that is no number.
  void SetText(const std::string& text);
  /// Whether the user changed the text since it was last set.
  bool Modified() const;
  void SetModified(bool modified);
  /// The text when the field last got the focus.
  std::string FocusText() const { return m_focusText; }

  /// With ShowError on, every change of the text asks OnValueValidate, and a
  /// text found invalid shows in ErrorFontColor on ErrorColor (defaults
  /// clRed and clWhite) until a valid one replaces it. Off by default.
  void SetShowError(bool show);
  bool ShowError() const { return m_showError; }
  void SetErrorColor(TColor color);
  TColor ErrorColor() const { return m_errorColor; }
  void SetErrorFontColor(TColor color);
  TColor ErrorFontColor() const { return m_errorFontColor; }
  /// The field shows the error colours.
  bool InErrorState() const { return m_inError; }

  /// Judges a new text (without Prefix and Suffix); IsValid starts true.
  std::function<void(TObject* Sender, const std::string& Value, bool& IsValid)> OnValueValidate;

 private:
  class LineEdit;

  LineEdit* Line() const;
  EditState CurrentState() const;
  void ApplyEdit(const EditState& state);
  void Display(const std::string& value);
  void Reformat();
  void Validate();
  void SetErrorState(bool inError);

  // Input from the edit control.
  KeyAction HandleKey(char32_t key, bool ctrl);
  void HandleDelete();
  void HandlePaste(const std::string& clipboard);
  void HandleFocusIn();
  void HandleFocusOut();

  NumEditSettings m_settings;
  bool m_autoSelect = true;
  std::string m_prefix;
  std::string m_suffix;
  std::string m_focusText;
  bool m_showError = false;
  TColor m_errorColor = clRed;
  TColor m_errorFontColor = clWhite;
  bool m_inError = false;
};

}  // namespace kurvex
