// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ports/devicetree.h"
#include "serial/customcomm.h"

namespace kurvex {

/// A COM port named "COM<n>" (the device tree resolves the name to a
/// device), with its stored configuration and the connection checks.
class TCustomSerialComm : public TCustomComm {
 public:
  TCustomSerialComm();
  ~TCustomSerialComm() override { ShutDown(); }

  /// n of "COM<n>". Changing it closes the port and, if it was open, opens
  /// the new one; listeners then get kNotifyChanged.
  std::uint16_t ComPortNo() const { return m_comPortNo; }
  void SetComPortNo(std::uint16_t portNo);
  /// cpCOMxx for ports from 9 up (and for port 0); writing cpCOMxx changes
  /// nothing.
  TComPort ComPort() const;
  void SetComPort(TComPort port);

  /// The open name of the device list entry for ComPortNo, else "COM<n>".
  std::string GetDeviceName() const override;

  /// ComPortNo := the entry's PortNumber (closing and reopening an open port).
  void SelectDevice(int index) override;
  int DeviceIndex() const override;
  /// Where the device list looks for ports; the running system (with the
  /// port folder as it is at each enumeration) until set.
  void SetDeviceTree(TDeviceTree tree) { m_deviceTree = std::move(tree); }
  TDeviceTree DeviceTree() const override;

  /// Stores port number, DCB and timeouts as one 49-byte value at
  /// ConfigValuePath(rootKey, key, valueName). A failure is a fatal error.
  void SaveConfig(const std::string& rootKey, const std::string& key, const std::string& valueName);
  /// Restores what SaveConfig stored; anything but an exactly 49-byte value
  /// is a fatal error and changes nothing.
  void LoadConfig(const std::string& rootKey, const std::string& key, const std::string& valueName);

  /// While open: clears the queues, raises DTR, drops RTS and waits up to
  /// 200 ms for DSR; with DSR raises RTS and returns true, else a fatal error.
  bool TestConnection();

  /// The serial plug-and-play identification handshake; `id` is empty when
  /// the device sends none. Leaves `Active` as it was.
  void ReadPnPId(std::string& id);

 protected:
  std::unique_ptr<SerialDevice> CreateDeviceHandle(int& error) override;
  /// The ports of the device tree, built as EnumPorts says.
  void EnumerateDevices() override;

 private:
  void ReadPnPIdFromOpenPort(std::string& id);
  bool WaitForDsr();
  bool WaitForInput(std::uint8_t& byte);
  void PulseLines();

  std::uint16_t m_comPortNo = 1;
  std::optional<TDeviceTree> m_deviceTree;
};

}  // namespace kurvex
