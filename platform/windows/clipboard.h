// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

namespace kurvex {

/// The desktop's clipboard, as far as the program writes to it. GUI thread only.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  /// Replaces the clipboard's content by `text` (UTF-8).
  virtual void SetText(const std::string& text) = 0;
};

/// The toolkit's clipboard.
class QtClipboard : public Clipboard {
 public:
  void SetText(const std::string& text) override;
};

/// The clipboard the program uses (QtClipboard unless replaced).
Clipboard& TheClipboard();
/// Replaces it and returns the previous one, so a test can put it back.
/// Passing null restores the default.
std::unique_ptr<Clipboard> SetClipboard(std::unique_ptr<Clipboard> clipboard);

}  // namespace kurvex
