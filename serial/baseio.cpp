// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/baseio.h"

#include <algorithm>

#include "platform/system/dispatcher.h"
#include "serial/logfile.h"
#include "ports/portscan.h"

namespace kurvex {

void TBaseIO::SetActive(bool active) {
  // No same-state shortcut: opening an open port reopens it, and closing a
  // closed one still reports the empty transmitter.
  if (active) {
    DoOpen();
  } else {
    DoClose();
  }
}

int TBaseIO::AddListener(TNotifyListener listener) {
  const int id = m_nextListenerId++;
  m_listeners.push_back({id, std::move(listener)});
  return id;
}

void TBaseIO::RemoveListener(int id) {
  std::erase_if(m_listeners, [id](const Listener& entry) { return entry.Id == id; });
}

void TBaseIO::NotifyListeners(int code) {
  // A listener may remove itself (or others) while being called.
  const std::vector<Listener> snapshot = m_listeners;
  for (const Listener& entry : snapshot) {
    entry.Call(*this, code);
  }
}

void TBaseIO::GetDeviceList(TDeviceStrings* strings) {
  if (m_deviceList.Empty()) EnumerateDevices();
  if (strings == nullptr) return;
  strings->clear();
  for (int i = 0; i < m_deviceList.Count(); ++i) {
    strings->push_back({m_deviceList[i].Caption, &m_deviceList[i]});
  }
}

void TBaseIO::RefreshDeviceList() {
  ClearDeviceList();
  GetDeviceList(nullptr);
  NotifyListeners(kNotifyChanged);
}

bool TBaseIO::HandleDeviceChange(const THotplugChange& change) {
  if (!ConcernsSerialPorts(change)) return false;
  RefreshDeviceList();
  return true;
}

int TBaseIO::InsertDevice(TSerialDevice device) {
  device.Owner = this;
  return m_deviceList.Insert(std::move(device));
}

void TBaseIO::CloseDeviceHandle() {
  if (m_device == nullptr) {
    return;
  }
  // Reset first: an OnClose handler sees the component closed.
  m_opened = false;
  m_device.reset();
  if (OnClose) {
    OnClose(*this);
  }
}

void TBaseIO::DoFatalError(std::uint32_t errorCode, std::uint32_t detail,
                           const std::string& errorMsg, bool showOnly) {
  bool raiseException = true;
  if (OnFatalError) {
    OnFatalError(*this, errorCode, detail, errorMsg, raiseException);
  }
  if (m_log != nullptr) {
    m_log->Write(0, FormatText("Fatal Error: %u, %u, %s", errorCode, detail, errorMsg.c_str()));
  }
  if (!raiseException) {
    return;
  }
  ESerialCommError error(errorMsg);
  if (showOnly) {
    ShowError(error);
    return;
  }
  throw error;
}

void TBaseIO::ShowError(const EKurvexError& error) const {
  if (m_guiThreadReachable && !TDispatcher::InGuiThread()) {
    // Message boxes belong to the GUI thread.
    TDispatcher::Post([error] { ReportError(error); });
    return;
  }
  ReportError(error);
}

void TBaseIO::WriteLog(int level, const std::string& text) const {
  if (m_log != nullptr) {
    m_log->Write(level, m_logPrefix + text);
  }
}

}  // namespace kurvex
