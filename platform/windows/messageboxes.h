// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace kurvex {

enum class MessageIcon : std::uint8_t { Information, Warning, Error, Question };
enum class MessageButtons : std::uint8_t { Ok, OkCancel, YesNo };
enum class MessageResult : std::uint8_t { Ok, Cancel, Yes, No };

/// Message boxes without an owner window: Show waits for the answer while
/// the program's windows stay usable. GUI thread only.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  /// `caption` is the title bar's text. Closing the box without a button
  /// answers Cancel (or No).
  virtual MessageResult Show(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons) = 0;
};

/// The toolkit's message boxes.
class QtMessageBoxes : public MessageBoxes {
 public:
  MessageResult Show(const std::string& text, const std::string& caption, MessageIcon icon,
                     MessageButtons buttons) override;
};

/// The process-wide message boxes the program uses (QtMessageBoxes unless
/// replaced).
MessageBoxes& TheMessageBoxes();
/// Replaces them and returns the previous instance, so a test can put it
/// back. Passing null restores the default.
std::unique_ptr<MessageBoxes> SetMessageBoxes(std::unique_ptr<MessageBoxes> boxes);

}  // namespace kurvex
