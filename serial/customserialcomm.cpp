// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/customserialcomm.h"

#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/system/termiosdevice.h"
#include "serial/configrecord.h"
#include "serial/dcb.h"
#include "serial/logfile.h"
#include "ports/portscan.h"

namespace kurvex {

namespace {

using namespace std::chrono_literals;

constexpr auto kHandshakeWait = 200ms;
constexpr auto kPollInterval = 5ms;
const char* const kConnectError = "Device Connect Initialization Error";

}  // namespace

TCustomSerialComm::TCustomSerialComm() { SetComPort(cpCOM1); }

void TCustomSerialComm::SetComPortNo(std::uint16_t portNo) {
  const bool wasActive = Active();
  SetActive(false);
  m_comPortNo = portNo;
  SetActive(wasActive);
  NotifyListeners(kNotifyChanged);
}

TComPort TCustomSerialComm::ComPort() const {
  if (m_comPortNo == 0 || m_comPortNo >= 9) {
    return cpCOMxx;
  }
  return static_cast<TComPort>(m_comPortNo - 1);
}

void TCustomSerialComm::SetComPort(TComPort port) {
  if (port != cpCOMxx) {
    SetComPortNo(static_cast<std::uint16_t>(port + 1));
  }
}

std::string TCustomSerialComm::GetDeviceName() const {
  const int index = DeviceIndex();
  if (index < 0) return "COM" + std::to_string(m_comPortNo);
  return DeviceList()[index].OpenName;
}

void TCustomSerialComm::SelectDevice(int index) {
  if (index < 0 || index >= DeviceList().Count()) return;
  SetComPortNo(static_cast<std::uint16_t>(DeviceList()[index].PortNumber));
}

int TCustomSerialComm::DeviceIndex() const { return DeviceList().IndexOfPort(m_comPortNo); }

TDeviceTree TCustomSerialComm::DeviceTree() const {
  return m_deviceTree.value_or(TDeviceTree::System());
}

void TCustomSerialComm::EnumerateDevices() {
  for (TSerialDevice& entry : ScanSerialPorts(DeviceTree(), EnumPorts())) {
    InsertDevice(std::move(entry));
  }
}

std::unique_ptr<SerialDevice> TCustomSerialComm::CreateDeviceHandle(int& error) {
  // An entry of a device without a COM name opens by its device path.
  const std::string name = GetDeviceName();
  const TDeviceTree tree = DeviceTree();
  const std::string path = name.starts_with('/') ? tree.HostPath(name).string()
                                                 : tree.ComPortOpenPath(m_comPortNo);
  if (path.empty()) {
    error = ENOENT;
    return nullptr;
  }
  return OpenTermiosDevice(path, error);
}

void TCustomSerialComm::SaveConfig(const std::string& rootKey, const std::string& key,
                                   const std::string& valueName) {
  const TConfigRecord record = PackConfigRecord(m_comPortNo, DCBBlock(), Timeouts());
  if (!WriteConfigValue(ConfigValuePath(rootKey, key, valueName), record)) {
    DoFatalError(1, 0, "Error on save config information from registry", false);
    return;
  }
  WriteLog(1, "Configuration was saved");
}

void TCustomSerialComm::LoadConfig(const std::string& rootKey, const std::string& key,
                                   const std::string& valueName) {
  const auto bytes = ReadConfigValue(ConfigValuePath(rootKey, key, valueName), kConfigRecordSize + 1);
  const auto stored = bytes ? UnpackConfigRecord(*bytes) : std::nullopt;
  if (!stored) {
    DoFatalError(1, 0, "Error on load config information from registry", false);
    return;
  }
  SetComPortNo(stored->PortNo);
  RestoreDCB(stored->Dcb);
  RestoreTimeouts(stored->Timeouts);
  WriteLog(1, "Configuration was loaded");
}

bool TCustomSerialComm::WaitForDsr() {
  const auto deadline = std::chrono::steady_clock::now() + kHandshakeWait;
  for (;;) {
    if (ModemSignals().Contains(msDSR)) {
      return true;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
}

bool TCustomSerialComm::WaitForInput(std::uint8_t& byte) {
  const auto deadline = std::chrono::steady_clock::now() + kHandshakeWait;
  for (;;) {
    if (Device()->Read(&byte, 1) == 1) {
      return true;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
}

bool TCustomSerialComm::TestConnection() {
  if (!IsOpened()) {
    return false;
  }
  PurgeAll();
  SetDTR(true);
  SetRTS(false);
  if (!WaitForDsr()) {
    DoFatalError(1, 0, kConnectError, false);
    return false;
  }
  SetRTS(true);
  WriteLog(1, "The device connection was succesful tested");
  return true;
}

void TCustomSerialComm::PulseLines() {
  SetDTR(false);
  SetRTS(false);
  std::this_thread::sleep_for(kHandshakeWait);
  SetDTR(true);
  SetRTS(true);
}

void TCustomSerialComm::ReadPnPId(std::string& id) {
  id.clear();
  const bool wasActive = Active();
  SetActive(true);
  try {
    if (IsOpened()) {
      ReadPnPIdFromOpenPort(id);
    }
  } catch (...) {
    // Leave the port as the caller had it; the first error is the one reported.
    SetActive(false);
    if (wasActive) {
      try {
        SetActive(true);
      } catch (...) {
      }
    }
    throw;
  }
  SetActive(false);
  SetActive(wasActive);
}

void TCustomSerialComm::ReadPnPIdFromOpenPort(std::string& id) {
  PurgeAll();
  SetDTR(true);
  SetRTS(false);
  if (!WaitForDsr()) {
    DoFatalError(1, 0, kConnectError, false);
    return;
  }
  ApplyDCB();
  const DCB saved = DCBBlock();
  const TTraceStates savedStates = TraceStates();

  DCB identification = saved;
  identification.BaudRate = 1200;
  identification.ByteSize = 7;
  identification.Parity = NOPARITY;
  identification.StopBits = ONESTOPBIT;
  Device()->Configure(LineSettingsFromDCB(identification));
  SetTraceStates({});

  SetDTR(false);
  SetRTS(false);
  std::this_thread::sleep_for(kHandshakeWait);
  SetDTR(true);
  std::this_thread::sleep_for(kHandshakeWait);
  SetRTS(true);

  std::uint8_t byte = 0;
  bool got = WaitForInput(byte);
  if (!got) {
    PulseLines();
    got = WaitForInput(byte);
  }
  if (got && (byte == 0x08 || byte == '(')) {
    const std::uint8_t endByte = byte == 0x08 ? 0x09 : ')';
    id.push_back(static_cast<char>(byte));
    while (WaitForInput(byte)) {
      id.push_back(static_cast<char>(byte));
      if (byte == endByte) {
        break;
      }
    }
  }
  Device()->Configure(LineSettingsFromDCB(saved));
  SetTraceStates(savedStates);
}

}  // namespace kurvex
