// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/system/error.h"
#include "platform/system/hotplugwatch.h"
#include "platform/system/serialdevice.h"
#include "ports/portlistholder.h"

namespace kurvex {

class TCustomLogFile;
class TBaseIO;

/// The error a component raises when a fatal-error handler leaves
/// RaiseException True.
class ESerialCommError : public EKurvexError {
 public:
  using EKurvexError::EKurvexError;
};

/// Listener codes passed to NotifyListeners.
inline constexpr int kNotifyClosed = 1;
inline constexpr int kNotifyOpened = 2;
inline constexpr int kNotifyChanged = 3;  ///< port changed or port list refreshed

/// (sender): a plain notification of the component.
using TComNotifyEvent = std::function<void(TBaseIO& sender)>;
/// (sender, code): one of the kNotify codes.
using TNotifyListener = std::function<void(TBaseIO& sender, int code)>;
/// (sender, ErrorCode, Detail, ErrorMsg, var RaiseException).
using TOnFatalErrorEvent = std::function<void(TBaseIO& sender, std::uint32_t errorCode,
                                              std::uint32_t detail, const std::string& errorMsg,
                                              bool& raiseException)>;

/// Root of the I/O components: owns the open device, the listener list and
/// the log sink, and turns fatal errors into events and exceptions.
/// All members are for the thread that configures the component (the GUI
/// thread in this program) unless stated.
class TBaseIO : public TPortListHolder {
 public:
  TBaseIO() = default;
  ~TBaseIO() override = default;
  TBaseIO(const TBaseIO&) = delete;
  TBaseIO& operator=(const TBaseIO&) = delete;

  /// True while a device is open.
  bool Active() const { return IsOpened(); }
  /// True opens (reopening an open port), False closes; see DoOpen/DoClose.
  /// An open failure raises ESerialCommError unless OnFatalError vetoes it.
  void SetActive(bool active);

  /// Safe to ask from any thread: a reader may close the port meanwhile.
  virtual bool IsOpened() const { return m_opened.load(); }

  /// The open device, null while closed. Owned by the component; its Fd()
  /// may be polled by a reader thread until the port closes.
  SerialDevice* Device() const override { return m_device.get(); }

  /// A device to use at the next open instead of opening one by name; it is
  /// used once.
  void HandOverDevice(std::unique_ptr<SerialDevice> device) { m_handedOver = std::move(device); }

  /// Adds a listener; the result identifies it for RemoveListener.
  int AddListener(TNotifyListener listener);
  void RemoveListener(int id);

  /// Fills the device list when it is empty; then, when `strings` is given,
  /// replaces its contents with one caption per entry, in list order.
  void GetDeviceList(TDeviceStrings* strings);
  /// Builds the device list anew; listeners then get kNotifyChanged.
  void RefreshDeviceList() override;
  /// Makes the entry at `index` the port to open (an invalid index does
  /// nothing).
  virtual void SelectDevice(int index) = 0;
  /// Index of the entry for the configured port, or -1.
  virtual int DeviceIndex() const = 0;
  /// Refreshes the device list for a change that may concern serial ports
  /// (see ConcernsSerialPorts); true when it did. Feed it from a
  /// THotplugWatch over TDeviceTree::WatchFolders().
  bool HandleDeviceChange(const THotplugChange& change);
  /// The entries as the last enumeration found them; empty until asked for.
  const TDeviceList& DeviceList() const override { return m_deviceList; }

  /// Optional log sink, not owned; null for none.
  TCustomLogFile* Log() const { return m_log; }
  void SetLog(TCustomLogFile* log) { m_log = log; }

  TOnFatalErrorEvent OnFatalError;
  /// Fired after the device has been closed.
  TComNotifyEvent OnClose;

 protected:
  /// Opens the device; null with `error` set (an errno value) on failure.
  virtual std::unique_ptr<SerialDevice> CreateDeviceHandle(int& error) = 0;
  /// Closes the device (if any) and fires OnClose.
  virtual void CloseDeviceHandle();
  virtual void DoOpen() = 0;
  virtual void DoClose() = 0;
  /// Hooks for the receive pipeline: started as the last step of an open,
  /// stopped as the first step of a close.
  virtual void StartThreads() {}
  virtual void StopThreads() {}
  /// Fires OnFatalError, logs, then (RaiseException still True) raises
  /// ESerialCommError with `errorMsg`, or with `showOnly` reports it through
  /// the application's error report (see ShowError) and returns.
  virtual void DoFatalError(std::uint32_t errorCode, std::uint32_t detail,
                            const std::string& errorMsg, bool showOnly);
  /// The application's error report for `error`; from a thread other than
  /// the GUI thread it is posted there when a GUI thread is reachable.
  void ShowError(const EKurvexError& error) const;
  /// Whether a GUI thread runs a message loop that reports and deliveries
  /// can go to. Any thread.
  bool GuiThreadReachable() const { return m_guiThreadReachable; }
  void SetGuiThreadReachable(bool reachable) { m_guiThreadReachable = reachable; }
  virtual void NotifyListeners(int code);

  /// Adds the entries of the machine's ports to the (empty) device list.
  virtual void EnumerateDevices() = 0;
  /// The entry joins the list owned by this component; see TDeviceList::Insert.
  int InsertDevice(TSerialDevice device);
  void ClearDeviceList() { m_deviceList.Clear(); }

  /// Takes the handed-over device, if any.
  std::unique_ptr<SerialDevice> TakeHandedOverDevice() { return std::move(m_handedOver); }
  void SetDevice(std::unique_ptr<SerialDevice> device) {
    m_device = std::move(device);
    m_opened = m_device != nullptr;
  }

  /// Writes "<prefix><text>" to the log sink, if any.
  void WriteLog(int level, const std::string& text) const;
  void SetLogPrefix(std::string prefix) { m_logPrefix = std::move(prefix); }

 private:
  struct Listener {
    int Id;
    TNotifyListener Call;
  };

  std::unique_ptr<SerialDevice> m_device;
  std::atomic<bool> m_opened{false};
  std::unique_ptr<SerialDevice> m_handedOver;
  std::vector<Listener> m_listeners;
  TDeviceList m_deviceList;
  int m_nextListenerId = 1;
  TCustomLogFile* m_log = nullptr;
  std::string m_logPrefix;
  std::atomic<bool> m_guiThreadReachable{false};
};

}  // namespace kurvex
