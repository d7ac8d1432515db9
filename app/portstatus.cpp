#include <algorithm>
#include <cerrno>
#include <string>

#include "app/mainwindow.h"
#include "app/numbertext.h"
#include "app/porttexts.h"
#include "platform/comassign.h"
#include "platform/comport.h"
#include "platform/portholders.h"
#include "serial/portscan.h"

namespace kurvex {

namespace {

// What the port number opens: a device without a COM number is opened by
// the path its entry in the component's list gives.
std::optional<TTtyDevice> PortDevice(const TSerialComm& com, unsigned portNo) {
  const TDeviceTree tree = com.DeviceTree();
  const int index = com.DeviceList().IndexOfPort(static_cast<int>(portNo));
  if (index >= 0 && com.DeviceList()[index].OpenName.starts_with('/')) {
    return tree.DeviceAt(com.DeviceList()[index].DevicePath);
  }
  return tree.ComPortDevice(portNo);
}

}  // namespace

void TForm1::CreatePortStatus() {
  ComComboBox->OnChange = [this](TObject* s) { ComComboBoxChange(s); };
  // The port field offers what is there, with what it is.
  SerialComm1->SetEnumPorts(epFullPresent);
  WatchPorts();
}

void TForm1::SetDeviceTree(TDeviceTree tree) {
  SerialComm1->SetDeviceTree(std::move(tree));
  m_presentPorts.clear();
  WatchPorts();
}

void TForm1::WatchPorts() {
  m_portWatch = std::make_unique<THotplugWatch>(SerialComm1->DeviceTree().WatchFolders());
  m_portWatch->OnChange = [this](const std::vector<THotplugChange>& changes) {
    if (std::any_of(changes.begin(), changes.end(), ConcernsSerialPorts)) RefreshPorts();
  };
  RefreshPorts();
}

void TForm1::RefreshPorts() {
  const TDeviceTree tree = SerialComm1->DeviceTree();
  // The port an acquisition reads from keeps the name it was opened by.
  const SerialDevice* open = SerialComm1->Device();
  AssignComNumbers(tree, [&](const TTtyDevice& device) {
    return open != nullptr && SameDevice(open->Fd(), tree.HostPath(device.DevicePath));
  });
  SerialComm1->RefreshDeviceList();
  ShowPortChoices();
  ShowPortStatus();
}

void TForm1::ShowPortChoices() {
  const TDeviceList& present = SerialComm1->DeviceList();
  // Refilling would close a list the user has open.
  if (std::vector<std::string> items = PortChoiceItems(present); items != ComComboBox->Items()) {
    ComComboBox->SetItems(items);
  }
  std::vector<int> numbers;
  for (int i = 0; i < present.Count(); ++i) numbers.push_back(present[i].PortNumber);
  const std::vector<int> before = std::exchange(m_presentPorts, numbers);
  const auto shown = static_cast<std::uint16_t>(LeadingInteger(ComComboBox->Text()));
  ShowPortTruth(shown);
  // A single instrument needs no choice: one that appears while the field
  // names nothing present is chosen (never under a running acquisition).
  // On-board ports are part of the machine; they never appear.
  if (SerialComm1->Active() || present.IndexOfPort(shown) >= 0) return;
  for (int i = 0; i < present.Count(); ++i) {
    const bool onBoard = BuiltInComNumber(present[i].DevicePath) == present[i].PortNumber;
    if (!onBoard &&
        std::find(before.begin(), before.end(), present[i].PortNumber) == before.end()) {
      ComComboBox->SetText(PortChoiceText(present[i]));
      return;
    }
  }
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

void TForm1::ShowPortStatus() {
  // The number Start would give the serial component.
  const auto portNo = static_cast<std::uint16_t>(LeadingInteger(ComComboBox->Text()));
  TStatusPanel& panel = Status(TStatusField::Port);
  const std::string portName = "COM" + std::to_string(portNo);
  const std::optional<TTtyDevice> device = PortDevice(*SerialComm1, portNo);
  if (!device) {
    panel.SetText(portName + ": kein Gerät");
    return;
  }
  const TTtyDetails details = SerialComm1->DeviceTree().Details(*device);
  const std::string label = DeviceLabel(details.Manufacturer, details.Description);
  // A long path gives way; what the device is stays readable.
  panel.SetText(portName + " → ", device->DevicePath, label.empty() ? "" : " (" + label + ")");
}

void TForm1::ShowOpenFailure() {
  const int error = SerialComm1->LastOpenError();
  if (error == 0) return;
  const unsigned portNo = SerialComm1->ComPortNo();
  const std::optional<TTtyDevice> device = PortDevice(*SerialComm1, portNo);
  std::vector<TPortHolder> holders;
  if (error == EBUSY && device) {
    holders = PortHolders(SerialComm1->DeviceTree().HostPath(device->DevicePath));
  }
  Status(TStatusField::Port).SetText(
      OpenFailureText(portNo, error, device.has_value(), holders));
}

}  // namespace kurvex
