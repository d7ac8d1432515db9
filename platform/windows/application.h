// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

namespace kurvex {

/// The program's application object: the toolkit's event loop, the
/// default font and the toolkit's own texts in the system's language.
/// Exactly one exists, created first in main. GUI thread.
class TApplication {
 public:
  TApplication(int& argc, char** argv);
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  /// Runs the message loop until Terminate; returns the exit code.
  int Run();

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

/// False when no window system can be reached (no display and no
/// offscreen platform chosen); *reason then says why in one line.
bool DisplayAvailable(std::string* reason);

}  // namespace kurvex
