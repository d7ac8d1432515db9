// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/setuppart.h"
#include "platform/windows/checkbox.h"
#include "platform/windows/combobox.h"
#include "platform/windows/speedbutton.h"
#include "serial/serialcomm.h"
#include "widgets/numedit.h"

namespace kurvex {

/// The window's controls a setup holds.
struct TSetupControls {
  TSerialComm& Port;  // where the port field's numbers lead
  TComboBox& PortField;
  TComboBox& BaudRate;
  TComboBox& DataFormat;
  TCheckBox& Trend;
  TNumEdit& ScaleFactor;
  TNumEdit& ScaleOffset;
  TNumEdit& GraphXMax;
  TNumEdit& GraphYMax;
  TNumEdit& GraphYMin;
  TCheckBox& ShowGrid;
  TCheckBox& DoubleTics;
  TCheckBox& LogY;
  TSpeedButton& ResetAxis;
};

/// The port settings, the graph parameters and the view of the window in a
/// setup. Applied through the controls, so their handlers do what a user's
/// click does, in the order that keeps each value: the mode before the
/// limits it resets, Y Log before the Y min it sets.
class TWindowSettings : public TSetupPart {
 public:
  explicit TWindowSettings(TSetupControls controls) : m_c(controls) {}
  void CollectInto(TSetup& setup) const override;
  void ApplyFrom(const TSetup& setup, std::vector<std::string>& notes) override;

 private:
  void ApplyPort(const TSetup& setup, std::vector<std::string>& notes);

  TSetupControls m_c;
};

}  // namespace kurvex
