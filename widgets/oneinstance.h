// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/windows/control.h"
#include "platform/system/error.h"

namespace kurvex {

class TForm;

/// What a later copy does before it ends: bring the first copy forward,
/// first tell the user "… was already started...", or run OnCustom.
enum TOneInstanceMode : std::uint8_t { oiActivateOnly, oiDefaultMessage, oiCustom };

/// Raised when a program creates a second TOneInstance.
class EOneInstError : public EKurvexError {
 public:
  using EKurvexError::EKurvexError;
};

/// Single-instance guard on the main window. Works with the process's
/// TApplicationGuard: in the first copy it listens for later copies and
/// brings its window forward (restored if minimised) when one starts, and
/// takes the arguments it hands over (widgets/instancerequest.h); in a
/// later copy it reacts according to Mode and ends the copy at its first
/// pass through the message loop. At most one per program. GUI thread only.
class TOneInstance : public TObject {
 public:
  /// owner: the main window; it must outlive the guard. Throws
  /// EOneInstError when another TOneInstance exists.
  explicit TOneInstance(TForm& owner);
  ~TOneInstance() override;
  TOneInstance(const TOneInstance&) = delete;
  TOneInstance& operator=(const TOneInstance&) = delete;

  bool Enabled() const { return m_enabled; }
  void SetEnabled(bool enabled) { m_enabled = enabled; }
  TOneInstanceMode Mode() const { return m_mode; }
  void SetMode(TOneInstanceMode mode) { m_mode = mode; }

  /// Runs instead of the activation in mode oiCustom (when assigned).
  TNotifyEvent OnCustom;
  /// Runs in the first copy after a later copy brought its window forward.
  TNotifyEvent OnActivated;
  /// Runs in the first copy after OnActivated when the later copy handed
  /// over arguments (its guard's HandOver).
  std::function<void(const std::vector<std::string>& arguments)> OnArguments;

  /// Call once, when the owner window has been built with its settings.
  /// First copy: starts listening. Later copy, when Enabled: reacts per
  /// Mode and asks the message loop to end, so the copy quits as soon as
  /// its start-up returns to the loop (Run then returns 0).
  void Loaded();

  /// From a later copy: asks the first copy to bring its window forward and
  /// hands it the guard's HandOver. Does nothing in the first copy; a first
  /// copy that cannot be reached is not an error.
  void ActivateFirstCopy();

 private:
  void Listen(const std::string& socketPath);
  void BringOwnerForward();

  struct Impl;
  std::unique_ptr<Impl> m_impl;
  TForm& m_owner;
  bool m_enabled = true;
  TOneInstanceMode m_mode = oiActivateOnly;
};

}  // namespace kurvex
