// SPDX-License-Identifier: GPL-3.0-or-later
#include <cerrno>
#include <string>

#include "app/dataformat.h"
#include "app/mainwindow.h"
#include "app/numbertext.h"
#include "app/porttexts.h"

namespace kurvex {

namespace {

// How the open port runs: "9600 7E1".
std::string RunningLine(const TSerialComm& comm) {
  return std::to_string(comm.BaudRate()) + " " +
         DataFormatName({comm.ByteSize(), comm.Parity(), comm.StopBits()});
}

}  // namespace

void TForm1::CreatePortStatus() {
  ComComboBox->OnChange = [this](TObject* s) { ComComboBoxChange(s); };
  // The port field offers what is there, with what it is.
  SerialComm1->SetEnumPorts(epFullPresent);
  m_portWatch = std::make_unique<TPortWatch>(*SerialComm1);
  m_portWatch->OnChange = [this](const TPortChange& change) {
    ShowPortChoices(change);
    ShowPortStatus();
  };
  m_portWatch->Restart();
}

void TForm1::SetDeviceTree(TDeviceTree tree) {
  SerialComm1->SetDeviceTree(std::move(tree));
  m_portWatch->Restart();
}

void TForm1::RefreshPorts() { m_portWatch->Refresh(); }

void TForm1::ShowPortChoices(const TPortChange& change) {
  const TDeviceList& present = SerialComm1->DeviceList();
  // Refilling would close a list the user has open.
  if (std::vector<std::string> items = PortChoiceItems(present); items != ComComboBox->Items()) {
    ComComboBox->SetItems(items);
  }
  const auto shown = static_cast<std::uint16_t>(LeadingInteger(ComComboBox->Text()));
  ShowPortTruth(shown);
  // A single instrument needs no choice: one that arrives while the field
  // names nothing present is chosen (never under a running acquisition).
  if (SerialComm1->Active() || present.IndexOfPort(shown) >= 0 || change.Arrived.empty()) return;
  ComComboBox->SetText(PortChoiceText(present[present.IndexOfPort(change.Arrived.front())]));
}

void TForm1::ShowPortTruth(std::uint16_t portNo) {
  const std::string number = std::to_string(portNo);
  const std::string text = ComComboBox->Text();
  const TDeviceList& present = SerialComm1->DeviceList();
  const int index = present.IndexOfPort(portNo);
  if (text.starts_with(number + " – ")) {
    // An entry follows its device, and gives way to the number when it goes.
    const std::string truth = index >= 0 ? PortChoiceText(present[index]) : number;
    if (truth != text) ComComboBox->SetText(truth);
    if (index < 0) m_portEntryGone = portNo;
  } else if (text == number && index >= 0 && m_portEntryGone == portNo) {
    ComComboBox->SetText(PortChoiceText(present[index]));  // it came back
  }
}

void TForm1::ComComboBoxChange(TObject*) { ShowPortStatus(); }

void TForm1::FormatComboBoxChange(TObject*) {
  const TDataFormat format = DataFormatOf(FormatComboBox->Text());
  Label3->SetCaption("Databits = " + std::to_string(format.ByteSize));
  Label4->SetCaption(format.StopBits == sbTwo ? "Stopbits = 2" : "Stopbits = 1");
}

void TForm1::ShowPortStatus() {
  // The number Start would give the serial component.
  const auto portNo = static_cast<std::uint16_t>(LeadingInteger(ComComboBox->Text()));
  TStatusPanel& panel = Status(TStatusField::Port);
  const std::string portName = "COM" + std::to_string(portNo);
  const std::optional<TTtyDevice> device = m_portWatch->DeviceOf(portNo);
  std::string line = SerialComm1->Active() ? " · " + RunningLine(*SerialComm1) : "";
  if (SerialComm1->Active() && SessionState.LineEnd != leUndecided)
    line += std::string(" · ") + LineEndText(SessionState.LineEnd);
  if (!device) {
    panel.SetText(portName + ": kein Gerät" + line);
    return;
  }
  const TTtyDetails details = m_portWatch->Details(*device);
  const std::string label = DeviceLabel(details.Manufacturer, details.Description);
  // A long path gives way; what the device is and how the line runs stay readable.
  panel.SetText(portName + " → ", device->DevicePath, (label.empty() ? "" : " (" + label + ")") + line);
}

void TForm1::ShowOpenFailure() {
  const int error = SerialComm1->LastOpenError();
  if (error == 0) return;
  const unsigned portNo = SerialComm1->ComPortNo();
  const std::optional<TTtyDevice> device = m_portWatch->DeviceOf(portNo);
  std::vector<TPortHolder> holders;
  if (error == EBUSY && device) holders = m_portWatch->Holders(*device);
  Status(TStatusField::Port).SetText(
      OpenFailureText(portNo, error, device.has_value(), holders));
}

}  // namespace kurvex
