// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "platform/windows/control.h"

namespace kurvex {

/// Runs OnTimer every Interval milliseconds on the GUI thread while
/// enabled (created disabled, Interval 1000). GUI thread only.
class TTimer : public TObject {
 public:
  TTimer();
  ~TTimer() override;
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  int Interval() const;
  void SetInterval(int milliseconds);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  /// Keeps the interval to the millisecond instead of letting the system
  /// gather wake-ups (up to 5 % late): for a pace an instrument sees.
  void SetPrecise(bool precise);

  /// What the timer is for, as the toolkit's tools and tests see it.
  void SetName(const std::string& name);

  TNotifyEvent OnTimer;

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace kurvex
