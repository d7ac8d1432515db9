// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "platform/windows/clipboard.h"

namespace kurvex::test {

/// While it lives, the program's clipboard is this one, which keeps the
/// last text put on it.
class RecordingClipboard {
 public:
  RecordingClipboard() : m_previous(SetClipboard(std::make_unique<Keeper>(m_text))) {}
  ~RecordingClipboard() { SetClipboard(std::move(m_previous)); }
  RecordingClipboard(const RecordingClipboard&) = delete;
  RecordingClipboard& operator=(const RecordingClipboard&) = delete;

  const std::string& Text() const { return m_text; }

 private:
  class Keeper : public Clipboard {
   public:
    explicit Keeper(std::string& text) : m_text(text) {}
    void SetText(const std::string& text) override { m_text = text; }

   private:
    std::string& m_text;
  };

  std::string m_text;
  std::unique_ptr<Clipboard> m_previous;
};

}  // namespace kurvex::test
