// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kurvex {

/// A sink for the component's log lines; storage and format are the sink's
/// business. Level 0 is the most important. Called in the thread that
/// caused the line.
class TCustomLogFile {
 public:
  virtual ~TCustomLogFile() = default;
  virtual void Write(int level, const std::string& text) = 0;
};

/// printf-style formatting for log lines and messages.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace kurvex
