// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/system/localeformat.h"

namespace kurvex {

/// The kinds of content a numeric edit field takes: whole numbers, or
/// numbers with a decimal separator.
enum TEditType : std::uint8_t { etNumeric, etFloat };

/// The settings the edit rules depend on.
struct NumEditSettings {
  TEditType EditType = etNumeric;
  /// Decimals of a float field: its canonical form shows exactly this many
  /// and typing stops there; 0 forbids the decimal separator; a negative
  /// value leaves the decimals free and the text as written.
  int Precision = 2;
  /// Most digits before the decimal separator that typing allows; 0 = no limit.
  int LengthLimit = 0;
  /// "-" is accepted.
  bool Signed = false;
  /// An empty field stays empty when it loses the focus instead of showing 0.
  bool AllowNumericNullValue = false;
  LocaleSeparators Separators;
};

/// A field's value text (without prefix and suffix) and its selection.
/// Positions are byte offsets into Text; the caret stands at SelStart.
struct EditState {
  std::string Text;
  int SelStart = 0;
  int SelLength = 0;
  friend bool operator==(const EditState&, const EditState&) = default;
};

/// What became of a typed key.
enum class KeyAction : std::uint8_t {
  Refused,   ///< dropped without a sound
  Edited,    ///< the field now holds KeyResult::State (text, caret or both changed)
  ToParent,  ///< Enter or Escape: the parent window gets the key
  Platform,  ///< the edit control's own handling (copy, cut, paste, Ctrl shortcuts)
};

struct KeyResult {
  KeyAction Action;
  EditState State;  ///< the state to show; the state typed into unless Edited
};

/// Keys as characters: Ctrl+letter arrives as the letter's control character
/// (Ctrl+C is 3) and Ctrl+Enter as a line feed.
inline constexpr char32_t kKeyBackspace = 8, kKeyCtrlEnter = 10, kKeyEnter = 13, kKeyEscape = 27;

/// What typing `key` into `state` does; `ctrl` tells that a Ctrl key is held.
/// A Ctrl shortcut other than Ctrl+Enter and Ctrl+Backspace is no character:
/// the edit control handles it (Platform), whatever the text holds.
KeyResult TypeKey(const EditState& state, char32_t key, bool ctrl, const NumEditSettings& settings);

/// The state after the Delete key, or nothing when the key is refused.
std::optional<EditState> DeleteKey(const EditState& state, const NumEditSettings& settings);

/// The state after pasting `clipboard` over the selection, or nothing when
/// the paste is refused. The length limit does not apply to pastes; a float
/// field reformats the result (LeaveText) at once.
std::optional<EditState> PasteText(const EditState& state, const std::string& clipboard,
                                   const NumEditSettings& settings);

enum class TextClass : std::uint8_t { Invalid, Integer, Float };

/// Integer: digits with an optional leading "-". Float: digits, ",", "."
/// and an optional leading "-", at most one decimal separator, and every
/// thousands separator after a digit and at least 3 characters after the
/// previous one. Anything else, and the empty text, is invalid.
TextClass ClassifyText(const std::string& text, const LocaleSeparators& separators);

/// The number a field's text stands for: thousands separators removed, then
/// read with the decimal separator; "" and "-" are 0. Throws EConvertError.
long double FieldValue(const std::string& text, const LocaleSeparators& separators);

/// The text a field shows after it was set to `text`: "" becomes "0", and a
/// float field with Precision above 0 shows the value with exactly Precision
/// decimals ("0,1" becomes "0,100000000"). Throws EConvertError.
std::string CanonicalText(const std::string& text, const NumEditSettings& settings);

/// The text a field shows after it lost the focus: the canonical text, or an
/// empty text kept when AllowNumericNullValue is set. Throws EConvertError.
std::string LeaveText(const std::string& text, const NumEditSettings& settings);

}  // namespace kurvex
