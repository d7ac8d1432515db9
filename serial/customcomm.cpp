// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/customcomm.h"

#include <algorithm>
#include <cstring>

#include "serial/dcb.h"
#include "serial/eventmask.h"
#include "serial/linecounters.h"
#include "serial/logfile.h"

namespace kurvex {

namespace {

constexpr std::size_t kMinReceiveBuffer = 8192;

}  // namespace

TCustomComm::TCustomComm() : m_config(DefaultCommConfig()) {
  SetLogPrefix("SerialComm: ");
  SetBaudRate(19200);
  SetByteSize(8);
  SetParity(pNone);
  SetStopBits(sbOne);
  SetStreamProtocol(spHardware);
  SetEventChar('\0');
}

TCustomComm::~TCustomComm() { ShutDown(); }

void TCustomComm::ShutDown() noexcept {
  OnTraceState = nullptr;
  OnInputOverload = nullptr;
  try {
    DoClose();
  } catch (...) {
    // A destructor must not throw; the device is closed by its own destructor.
  }
  // Before any member goes: a reader stopped from a handling may still be
  // finishing that handling.
  m_retiredReaders.clear();
}

void TCustomComm::SetBaudRate(std::uint32_t baud) {
  m_config.dcb.BaudRate = baud;
  ApplyDCB();
}

void TCustomComm::SetParity(TParity parity) {
  m_config.dcb.Parity = parity;
  if (parity == pNone) {
    m_config.dcb.Flags &= ~fParity;
  } else {
    m_config.dcb.Flags |= fParity;
  }
  ApplyDCB();
}

void TCustomComm::SetStopBits(TStopBits stopBits) {
  m_config.dcb.StopBits = stopBits;
  ApplyDCB();
}

void TCustomComm::SetByteSize(std::uint8_t byteSize) {
  m_config.dcb.ByteSize = byteSize >= 4 && byteSize <= 8 ? byteSize : 8;
  ApplyDCB();
}

void TCustomComm::SetEventChar(char eventChar) {
  m_config.dcb.EvtChar = eventChar;
  ApplyDCB();
}

void TCustomComm::SetStreamProtocol(TStreamProtocol protocol) {
  m_streamProtocol = protocol;
  ApplyDCB();
}

void TCustomComm::SetRS485Mode(bool on) {
  m_rs485Mode = on;
  ApplyDCB();
}

void TCustomComm::SetTraceStates(TTraceStates states) {
  m_traceStates = states;
  m_eventMask = EventMaskFor(states, m_rs485Mode, m_manualRtsToggle);
  if (m_reader != nullptr) {
    m_reader->WatchedEventsChanged();
  }
}

void TCustomComm::ApplyDCB() {
  ApplyDCBRules(m_config.dcb, m_streamProtocol, m_rs485Mode);
  if (IsOpened()) {
    // Like SetCommState's result, a refusal is ignored: the line keeps its
    // previous settings and the port stays open.
    Device()->Configure(LineSettingsFromDCB(m_config.dcb));
  }
}

void TCustomComm::RestoreDCB(const DCB& dcb) {
  m_config.dcb = dcb;
  ApplyDCB();
}

TModemSignals TCustomComm::ModemSignals() const {
  TModemSignals signals;
  if (!IsOpened()) {
    return signals;
  }
  const ModemStatus status = Device()->Status();
  if (status.Cts) signals.Include(msCTS);
  if (status.Dsr) signals.Include(msDSR);
  if (status.Ring) signals.Include(msRing);
  if (status.Rlsd) signals.Include(msRLSD);
  return signals;
}

void TCustomComm::RefreshQueues() {
  const SerialQueues queues = Device()->Queues();
  m_comStat.cbInQue = queues.Input;
  m_comStat.cbOutQue = queues.Output;
}

std::uint32_t TCustomComm::ClearCommError() {
  // Linux keeps no hold states: the flag byte stays empty.
  m_comStat = COMSTAT{};
  if (!IsOpened()) {
    return 0;
  }
  RefreshQueues();
  LineCounters now;
  if (!Device()->Counters(now)) {
    return 0;
  }
  std::uint32_t errors = m_errorCounters ? LineErrorBits(*m_errorCounters, now) : 0;
  if (MarksReceiveErrors(m_config.dcb)) {
    // The characters concerned arrive marked in the data (OnReceiveError):
    // no reason to hold the bytes back or to alarm anyone here.
    errors &= ~(CE_RXPARITY | CE_FRAME);
  }
  if (m_errorCounters) {
    // Unsigned differences, so a counter that wraps still counts right.
    m_inputOverruns += (now.Overrun - m_errorCounters->Overrun) +
                       (now.BufferOverrun - m_errorCounters->BufferOverrun);
  }
  m_errorCounters = now;
  return errors;
}

void TCustomComm::SetupDevice() {
  ClearCommError();
  // Linux drivers have fixed queues, so the queue sizes are only stored; the
  // timeouts are read where they apply (sending).
  ApplyDCB();
}

void TCustomComm::DoOpen() {
  DoClose();
  m_bytesSent = 0;
  m_bytesReceived = 0;
  m_queuedWritten = 0;
  m_queuedSentPending = false;
  m_sendError = 0;
  std::unique_ptr<SerialDevice> device = TakeHandedOverDevice();
  int error = 0;
  if (device == nullptr) {
    device = CreateDeviceHandle(error);
  }
  m_lastOpenError = device == nullptr ? error : 0;
  if (device == nullptr) {
    m_lastErrorMessage = FormatText("Device \"%s\" Open Error !!!\r%s", GetDeviceName().c_str(),
                                    std::strerror(error));
    DoFatalError(1, 0, m_lastErrorMessage, false);
    return;
  }
  SetDevice(std::move(device));
  m_errorCounters.reset();
  m_inputOverruns = 0;
  m_inputBacklog.Reset();
  m_receiveMarks.Reset();
  m_receiveBuffer = std::make_shared<std::vector<std::uint8_t>>(
      std::max<std::size_t>(m_bufferInSize, kMinReceiveBuffer), 0);
  WriteLog(0, FormatText("The port %s is opened succesfully", GetDeviceName().c_str()));
  SetupDevice();
  SetTraceStates(m_traceStates);
  StartThreads();
  NotifyListeners(kNotifyOpened);
}

void TCustomComm::CloseInternal(bool purge) {
  if (!IsOpened()) {
    return;
  }
  StopThreads();
  if (purge) {
    ClearCommError();
    if (m_comStat.cbOutQue > 0) {
      PurgeAll();
    }
  }
  // A handling running further up this thread's stack keeps its own share.
  m_receiveBuffer.reset();
  CloseDeviceHandle();
  // Nothing waits any more once the port is closed.
  if (m_inputBacklog.HandlingEnded(false, TInputBacklog::Clock::now()) && OnInputOverload) {
    OnInputOverload(*this, false);
  }
  NotifyListeners(kNotifyClosed);
}

void TCustomComm::ForceClosed() {
  StopThreads();
  m_receiveBuffer.reset();
  CloseDeviceHandle();
}

void TCustomComm::DoClose() {
  {
    std::unique_lock<std::recursive_mutex> closing(m_closing, std::defer_lock);
    if (LockForClose(closing) && IsOpened()) {
      try {
        CloseInternal(true);
        WriteLog(0, "The port is closed succesfully");
      } catch (...) {
        // Whatever failed (a handler, a listener), the port ends up closed.
        ForceClosed();
      }
    }
  }
  // Outside the lock: a retired reader may still be in a handler that closes.
  JoinRetiredReaders();
  DoTraceState(*this, {tsTxEmpty});
}

void TCustomComm::DoTraceState(TBaseIO& sender, TTraceStates states) {
  if (OnTraceState) {
    OnTraceState(sender, states);
  }
}

void TCustomComm::SetRTS(bool on) {
  if (!IsOpened()) {
    return;
  }
  Device()->SetLine(ModemLine::Rts, on);
  DoTraceState(*this, {tsCTS});
}

void TCustomComm::SetDTR(bool on) {
  if (!IsOpened()) {
    return;
  }
  Device()->SetLine(ModemLine::Dtr, on);
  DoTraceState(*this, {tsDSR});
}

void TCustomComm::PurgeInput() {
  if (IsOpened()) {
    Device()->Purge(true, false);
  }
}

void TCustomComm::PurgeOutput() {
  if (!IsOpened()) {
    return;
  }
  Device()->Purge(false, true);
  if (m_rs485Mode && m_manualRtsToggle) {
    SetRTS(false);
  }
}

void TCustomComm::PurgeAll() {
  if (!IsOpened()) {
    return;
  }
  // Writes complete before Send returns, so no transfer is left to cancel.
  Device()->Purge(true, true);
  if (m_rs485Mode && m_manualRtsToggle) {
    SetRTS(false);
  }
}

void TCustomComm::DoCommError(std::uint32_t commCode, std::uint32_t sysError,
                              TComStateFlags state) {
  if (m_rs485Mode && m_manualRtsToggle) {
    SetRTS(false);
  }
  bool flashBuffers = false;
  WriteLog(1, FormatText("Communication Error %u:%u %X", commCode, sysError, state.Bits()));
  if (OnCommError) {
    OnCommError(*this, commCode, sysError, state, flashBuffers);
  }
  if (flashBuffers) {
    PurgeAll();
  }
}

std::string TCustomComm::GetDeviceName() const { return "Unknown"; }

}  // namespace kurvex
