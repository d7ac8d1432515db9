#include <string>

#include "app/mainwindow.h"
#include "app/numbertext.h"
#include "platform/devicetree.h"

namespace kurvex {

namespace {

constexpr int kPortStatusPanel = 1;

// "FTDI FT232R USB UART", without saying the maker twice when the product
// name already starts with it.
std::string DeviceLabel(const TTtyDetails& details) {
  if (details.Manufacturer.empty() || details.Description.rfind(details.Manufacturer, 0) == 0) {
    return details.Description;
  }
  if (details.Description.empty()) return details.Manufacturer;
  return details.Manufacturer + " " + details.Description;
}

std::string PortStatusText(unsigned portNo, const TDeviceTree& tree) {
  const std::string portName = "COM" + std::to_string(portNo);
  const std::optional<TTtyDevice> device = tree.ComPortDevice(portNo);
  if (!device) return portName + ": kein Gerät";
  std::string text = portName + " → " + device->DevicePath;
  if (const std::string label = DeviceLabel(tree.Details(*device)); !label.empty()) {
    text += " (" + label + ")";
  }
  return text;
}

}  // namespace

void TForm1::CreatePortStatus() {
  ComComboBox->OnChange = [this](TObject* s) { ComComboBoxChange(s); };
  m_portWatch = std::make_unique<THotplugWatch>(TDeviceTree::System().WatchFolders());
  m_portWatch->OnChange = [this](const std::vector<THotplugChange>&) { ShowPortStatus(); };
  ShowPortStatus();
}

void TForm1::ComComboBoxChange(TObject*) { ShowPortStatus(); }

void TForm1::ShowPortStatus() {
  // The number Start would give the serial component.
  const auto portNo = static_cast<std::uint16_t>(LeadingInteger(ComComboBox->Text()));
  StatusBar->Panels()[kPortStatusPanel].SetText(PortStatusText(portNo, TDeviceTree::System()));
}

}  // namespace kurvex
