// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/setups/windowsettings.h"

#include <algorithm>

#include "app/numbertext.h"
#include "platform/system/translate.h"
#include "widgets/numberconvert.h"

namespace kurvex {

namespace {

// The number a field shows, read as the field reads it; none when the user left none in it.
std::optional<double> FieldNumber(const TNumEdit& field) {
  try {
    return static_cast<double>(StrToFloat(field.Text()));
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

void SetField(TNumEdit& field, const std::optional<double>& value) {
  if (value) field.SetText(LocaleNumberText(*value));
}

void SetBox(TCheckBox& box, const std::optional<bool>& checked) {
  if (checked) box.SetChecked(*checked);
}

}  // namespace

void TWindowSettings::CollectInto(TSetup& setup) const {
  const auto comNumber = static_cast<int>(LeadingInteger(m_c.PortField.Text()));
  setup.ComNumber = comNumber;
  if (const std::string stable = m_c.Port.DeviceTree().ComPortStableName(static_cast<unsigned>(comNumber));
      !stable.empty())
    setup.StableDevice = stable;
  if (const auto baud = LeadingInteger(m_c.BaudRate.Text()); baud > 0) setup.BaudRate = static_cast<std::uint32_t>(baud);
  setup.DataFormat = m_c.DataFormat.Text();
  setup.Trend = m_c.Trend.Checked();
  setup.ScaleFactor = FieldNumber(m_c.ScaleFactor);
  setup.ScaleOffset = FieldNumber(m_c.ScaleOffset);
  setup.GraphXMax = FieldNumber(m_c.GraphXMax);
  setup.GraphYMax = FieldNumber(m_c.GraphYMax);
  setup.GraphYMin = FieldNumber(m_c.GraphYMin);
  setup.ShowGrid = m_c.ShowGrid.Checked();
  setup.DoubleTics = m_c.DoubleTics.Checked();
  setup.LogY = m_c.LogY.Checked();
}

void TWindowSettings::ApplyPort(const TSetup& setup, std::vector<std::string>& notes) {
  const TDeviceTree tree = m_c.Port.DeviceTree();
  // The adapter by its stable name first: it may have another number today.
  for (const std::optional<std::string>& device : {setup.StableDevice, setup.DevicePath}) {
    if (!device) continue;
    if (const std::optional<unsigned> portNo = tree.ComPortReaching(*device)) {
      m_c.PortField.SetText(std::to_string(*portNo));
      return;
    }
    if (!setup.ComNumber)
      notes.push_back(Fill(Tr("Setups", "Das Gerät \"%1\" ist nicht angeschlossen; der Com Port bleibt."), {*device}));
  }
  if (setup.ComNumber) m_c.PortField.SetText(std::to_string(*setup.ComNumber));
}

void TWindowSettings::ApplyFrom(const TSetup& setup, std::vector<std::string>& notes) {
  ApplyPort(setup, notes);
  if (setup.BaudRate) m_c.BaudRate.SetText(std::to_string(*setup.BaudRate));
  if (setup.DataFormat) {
    const std::vector<std::string> offered = m_c.DataFormat.Items();
    if (std::find(offered.begin(), offered.end(), *setup.DataFormat) != offered.end())
      m_c.DataFormat.SetText(*setup.DataFormat);
    else
      notes.push_back(Fill(Tr("Setups", "Das Datenformat %1 bietet Kurvex nicht an; es bleibt %2."),
                           {*setup.DataFormat, m_c.DataFormat.Text()}));
  }
  // Trend sets Graph X max and leaves Y Log off; Y Log sets Y min and DoubleTics.
  SetBox(m_c.Trend, setup.Trend);
  if (!m_c.Trend.Checked()) SetBox(m_c.LogY, setup.LogY);
  SetBox(m_c.ShowGrid, setup.ShowGrid);
  SetBox(m_c.DoubleTics, setup.DoubleTics);
  SetField(m_c.ScaleFactor, setup.ScaleFactor);
  SetField(m_c.ScaleOffset, setup.ScaleOffset);
  SetField(m_c.GraphXMax, setup.GraphXMax);
  SetField(m_c.GraphYMax, setup.GraphYMax);
  SetField(m_c.GraphYMin, setup.GraphYMin);
  // The chart shows the limits as Reset Axis would.
  m_c.ResetAxis.Click();
}

}  // namespace kurvex
