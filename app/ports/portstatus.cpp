// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ports/portstatus.h"

#include <cerrno>
#include <string>

#include "app/dataformat.h"
#include "app/numbertext.h"
#include "app/ports/porttexts.h"
#include "platform/system/translate.h"

namespace kurvex {

namespace {

// How the open port runs: "9600 7E1".
std::string RunningLine(const TSerialComm& comm) {
  return std::to_string(comm.BaudRate()) + " " +
         DataFormatName({comm.ByteSize(), comm.Parity(), comm.StopBits()});
}

}  // namespace

TPortStatus::TPortStatus(TSerialComm& comm, TComboBox& portField, TStatusPanel& panel)
    : m_comm(comm), m_portField(portField), m_panel(panel), m_watch(comm) {
  // The port field offers what is there, with what it is.
  m_comm.SetEnumPorts(epFullPresent);
  m_watch.OnChange = [this](const TPortChange& change) {
    ShowChoices(change);
    Show();
  };
  m_watch.Restart();
}

void TPortStatus::SetDeviceTree(TDeviceTree tree) {
  m_comm.SetDeviceTree(std::move(tree));
  m_watch.Restart();
}

void TPortStatus::StartAcquisition() {
  m_lineEndShown = leUndecided;
  Show();
}

void TPortStatus::ShowChoices(const TPortChange& change) {
  const TDeviceList& present = m_comm.DeviceList();
  // Refilling would close a list the user has open.
  if (std::vector<std::string> items = PortChoiceItems(present); items != m_portField.Items()) {
    m_portField.SetItems(items);
  }
  const auto shown = static_cast<std::uint16_t>(LeadingInteger(m_portField.Text()));
  ShowTruth(shown);
  // A single instrument needs no choice: one that arrives while the field
  // names nothing present is chosen (never under a running acquisition).
  if (m_comm.Active() || present.IndexOfPort(shown) >= 0 || change.Arrived.empty()) return;
  m_portField.SetText(PortChoiceText(present[present.IndexOfPort(change.Arrived.front())]));
}

void TPortStatus::ShowTruth(std::uint16_t portNo) {
  const std::string number = std::to_string(portNo);
  const std::string text = m_portField.Text();
  const TDeviceList& present = m_comm.DeviceList();
  const int index = present.IndexOfPort(portNo);
  if (text.starts_with(number + " – ")) {
    // An entry follows its device, and gives way to the number when it goes.
    const std::string truth = index >= 0 ? PortChoiceText(present[index]) : number;
    if (truth != text) m_portField.SetText(truth);
    if (index < 0) m_entryGone = portNo;
  } else if (text == number && index >= 0 && m_entryGone == portNo) {
    m_portField.SetText(PortChoiceText(present[index]));  // it came back
  }
}

void TPortStatus::Show() {
  // The number Start would give the serial component.
  const auto portNo = static_cast<std::uint16_t>(LeadingInteger(m_portField.Text()));
  const std::string portName = "COM" + std::to_string(portNo);
  const std::optional<TTtyDevice> device = m_watch.DeviceOf(portNo);
  std::string line = m_comm.Active() ? " · " + RunningLine(m_comm) : "";
  if (m_comm.Active() && m_lineEndShown != leUndecided)
    line += std::string(" · ") + LineEndText(m_lineEndShown);
  if (!device) {
    m_panel.SetText(Fill(Tr("Ports", "%1: kein Gerät"), {portName}) + line);
    return;
  }
  const TTtyDetails details = m_watch.Details(*device);
  const std::string label = DeviceLabel(details.Manufacturer, details.Description);
  // A long path gives way; what the device is and how the line runs stay readable.
  m_panel.SetText(portName + " → ", device->DevicePath, (label.empty() ? "" : " (" + label + ")") + line);
}

void TPortStatus::ShowOpenFailure() {
  const int error = m_comm.LastOpenError();
  if (error == 0) return;
  const unsigned portNo = m_comm.ComPortNo();
  const std::optional<TTtyDevice> device = m_watch.DeviceOf(portNo);
  std::vector<TPortHolder> holders;
  if (error == EBUSY && device) holders = m_watch.Holders(*device);
  m_panel.SetText(OpenFailureText(portNo, error, device.has_value(), holders));
}

}  // namespace kurvex
