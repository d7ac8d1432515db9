// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "serial/baseio.h"
#include "serial/commtypes.h"
#include "serial/inputbacklog.h"
#include "serial/receivemarks.h"
#include "serial/receivethread.h"
#include "serial/sendqueue.h"
#include "serial/sendthread.h"
#include "serial/win32comm.h"

namespace kurvex {

/// (Com, Buffer, Received): `received` raw bytes at `buffer`, valid only
/// during the call (even if the handler closes the port meanwhile).
using TOnReceived =
    std::function<void(TBaseIO& com, const std::uint8_t* buffer, std::uint32_t received)>;
using TOnSent = std::function<void(TBaseIO& com)>;
/// (Com, Written): queued bytes went to the driver; Written counts every
/// queued byte written since the open, so whoever sums what Queue accepted
/// knows which of its commands are out.
using TOnQueuedSent = std::function<void(TBaseIO& com, std::uint64_t written)>;
/// (Com): a character arrived with a parity or framing error, or a break.
using TOnReceiveError = std::function<void(TBaseIO& com)>;
using TOnTraceEvent = std::function<void(TBaseIO& com, TTraceStates event)>;
/// (Com, CommCode, SysError, State, var flFlashBuffers): CommCode holds CE_
/// bits (0 for a failed write), SysError an errno value (0 for a line error).
using TOnCommErrorEvent =
    std::function<void(TBaseIO& com, std::uint32_t commCode, std::uint32_t sysError,
                       TComStateFlags state, bool& flFlashBuffers)>;
/// (Com, Overloaded): input has waited longer than a second because it
/// arrives faster than it is handled (true), or has been caught up (false).
using TOnInputOverload = std::function<void(TBaseIO& com, bool overloaded)>;

/// A communication port configured through a DCB: line settings, timeouts,
/// event mask, open/close, sending, purging and line control. Every setter
/// may be called while open and takes effect at once.
///
/// While open, a reader thread watches the port and has each event handled
/// (received bytes to OnAfterReceive, line errors to OnCommError, line
/// events to OnTraceState) one at a time, in arrival order: on the GUI
/// thread with UseMainThread when the port was opened there, else on the
/// reader thread itself. Closing is safe from inside any handler; the
/// handler's bytes stay valid until it returns and nothing is handled after
/// the close. A close from another thread waits for a handling running on
/// the reader. When the device goes away (hang-up, failed read) the
/// component closes itself (listeners get kNotifyClosed) and reports it
/// through OnFatalError (ErrorCode 1, Detail = errno), then the error report.
///
/// Queue hands bytes to a writer thread of their own that waits for the
/// line in poll, so no caller ever waits for the line. Its news reaches the
/// handlers as the reader's events do: written bytes to OnQueuedSent; a
/// write failing as a gone device fails (EIO, ENXIO, ENODEV, EPIPE, EBADF)
/// is a lost device, as a failed read is; any other failure goes to
/// OnCommError (CommCode 0, SysError = errno) with the rest of the queue
/// dropped.
class TCustomComm : public TBaseIO, private TComEventTarget, private TSendTarget {
 public:
  TCustomComm();
  ~TCustomComm() override;

  /// Bits per second; not validated (a rate the driver refuses leaves the
  /// line as it was).
  std::uint32_t BaudRate() const { return m_config.dcb.BaudRate; }
  void SetBaudRate(std::uint32_t baud);
  TParity Parity() const { return static_cast<TParity>(m_config.dcb.Parity); }
  /// Also sets fParity for any parity but pNone.
  void SetParity(TParity parity);
  TStopBits StopBits() const { return static_cast<TStopBits>(m_config.dcb.StopBits); }
  void SetStopBits(TStopBits stopBits);
  std::uint8_t ByteSize() const { return m_config.dcb.ByteSize; }
  /// A value outside 4..8 is stored as 8.
  void SetByteSize(std::uint8_t byteSize);
  char EventChar() const { return m_config.dcb.EvtChar; }
  void SetEventChar(char eventChar);
  TStreamProtocol StreamProtocol() const { return m_streamProtocol; }
  void SetStreamProtocol(TStreamProtocol protocol);
  /// RTS follows transmission; overrides the flow control of StreamProtocol.
  bool RS485Mode() const { return m_rs485Mode; }
  void SetRS485Mode(bool on);

  TTraceStates TraceStates() const { return m_traceStates; }
  void SetTraceStates(TTraceStates states);
  /// The EV_ mask the receive pipeline waits for (see EventMaskFor).
  /// Line errors and line events other than received bytes need a device
  /// with event counters; a pty has none, so it reports neither.
  std::uint32_t EventMask() const { return m_eventMask; }

  /// Input modem lines; empty while closed or on a device without them.
  TModemSignals ModemSignals() const;

  /// Driver queue sizes in bytes; BufferInSize also sizes the receive buffer
  /// at the next open: max(BufferInSize, 8192).
  std::uint16_t BufferInSize() const { return m_bufferInSize; }
  void SetBufferInSize(std::uint16_t size) { m_bufferInSize = size; }
  std::uint16_t BufferOutSize() const { return m_bufferOutSize; }
  void SetBufferOutSize(std::uint16_t size) { m_bufferOutSize = size; }

  /// ReadIntervalTimeout in ms.
  std::uint32_t TimeoutRead() const { return m_timeouts.ReadIntervalTimeout; }
  void SetTimeoutRead(std::uint32_t ms) { m_timeouts.ReadIntervalTimeout = ms; }
  /// WriteTotalTimeoutConstant in ms: how long a send may wait for room in
  /// the driver's queue; 0 waits without limit.
  std::uint32_t TimeoutWrite() const { return m_timeouts.WriteTotalTimeoutConstant; }
  void SetTimeoutWrite(std::uint32_t ms) { m_timeouts.WriteTotalTimeoutConstant = ms; }

  /// Events run in the GUI thread (else in the receive pipeline's thread);
  /// takes effect with the next event.
  bool UseMainThread() const { return m_useMainThread; }
  void SetUseMainThread(bool on) { m_useMainThread = on; }
  TEnumPorts EnumPorts() const { return m_enumPorts; }
  void SetEnumPorts(TEnumPorts mode) { m_enumPorts = mode; }

  /// True where the line has no RTS toggle of its own, so the component
  /// raises RTS before sending and drops it when the transmitter is empty
  /// in RS485Mode. Always true on Linux (termios has no such mode).
  bool ManualRtsToggle() const { return m_manualRtsToggle; }

  /// The configuration blocks as they stand.
  const DCB& DCBBlock() const { return m_config.dcb; }
  const COMMTIMEOUTS& Timeouts() const { return m_timeouts; }

  /// Size of the receive buffer, the largest block one OnAfterReceive call
  /// gets: 0 while closed.
  std::size_t ReceiveBufferSize() const { return m_receiveBuffer ? m_receiveBuffer->size() : 0; }
  /// Bytes since the last open. Received bytes count as they are read; bytes
  /// nobody reads count at each event that finds them waiting.
  std::uint64_t BytesSent() const override { return m_bytesSent; }
  std::uint64_t BytesReceived() const { return m_bytesReceived; }
  /// Text of the last open failure.
  const std::string& LastErrorMessage() const { return m_lastErrorMessage; }
  /// The system's reason (an errno value) when the last open failed; 0 when
  /// it succeeded or none was tried.
  int LastOpenError() const { return m_lastOpenError; }
  /// Received input waits longer than a second (see OnInputOverload).
  bool InputOverloaded() const { return m_inputBacklog.Overloaded(); }
  /// Times since the open that the driver dropped received bytes (its input
  /// queue overflowed or the UART overran), as its counters report them by
  /// the last handled event; 0 on a device without counters (a pty).
  std::uint64_t InputOverruns() const { return m_inputOverruns; }

  /// Line control, only while open; each reports {tsCTS} (RTS) or {tsDSR}
  /// (DTR) through DoTraceState.
  void SetRTS(bool on);
  void SetDTR(bool on);

  /// Discard queued bytes; nothing while closed. PurgeOutput and PurgeAll
  /// also drop what waits in the send queue, and drop RTS in RS485Mode with
  /// ManualRtsToggle.
  void PurgeInput();
  void PurgeOutput();
  void PurgeAll();

  /// Hand bytes to the driver while open, waiting up to TimeoutWrite for room;
  /// a failure goes to DoCommError. True when every byte was taken.
  bool SendChar(std::uint8_t byte);
  bool SendString(const std::string& text);
  bool SendData(const void* data, std::size_t count);

  /// Queues `bytes` for the writer thread and returns at once: false, with
  /// nothing queued, while closed or when more than kMaxQueuedSendBytes
  /// would wait. What still waits at a close is dropped.
  bool Queue(std::string bytes);
  /// Queued bytes have waited longer than kSendStallTime without the line
  /// taking any (flow control holding, a full driver queue, a gone device).
  /// Any thread.
  bool SendStalled() const;
  /// Queued bytes not yet handed to the driver. Any thread.
  std::size_t SendWaiting() const;
  /// Waits up to maxMs for the queued bytes to be handed to the driver and
  /// for the driver's queue to empty (a close purges it); true when both did.
  bool DrainSend(int maxMs);

  /// The port's name ("Unknown" for a port without a name of its own).
  virtual std::string GetDeviceName() const;

  TOnReceived OnAfterReceive;
  /// With a parity set, a character received with an error is left out of
  /// the received bytes and reported here instead, in its place: after the
  /// OnAfterReceive call for the bytes before it, before the one for the
  /// bytes after it. Such errors then never reach OnCommError.
  TOnReceiveError OnReceiveError;
  TOnSent OnAfterSend;
  TOnQueuedSent OnQueuedSent;
  TOnTraceEvent OnTraceState;
  TOnCommErrorEvent OnCommError;
  /// Changes of InputOverloaded, from inside a handling.
  TOnInputOverload OnInputOverload;

 protected:
  /// Closes the port and waits for every reader thread. The most derived
  /// component calls it first in its destructor: a reader still finishing a
  /// handling (a lost device, say) may call virtual methods that need the
  /// whole object. Safe to call more than once.
  void ShutDown() noexcept;

  void DoOpen() override;
  void DoClose() override;
  void StartThreads() override;
  /// Stops the reader. From inside a handling on the same thread it is not
  /// waited for (it waits for that very handling); it is joined at the next
  /// start or close made outside a handling, or at destruction.
  void StopThreads() override;
  /// True when OnAfterReceive is assigned, so received bytes are read.
  virtual bool HasReceiver() const;
  /// Delivers one block of received bytes.
  virtual void DoReceive(const std::uint8_t* buffer, std::uint32_t count);
  /// Reports one character received with an error.
  virtual void DoReceiveError();
  /// Stops the receive pipeline, purges what waits to be sent when `purge`
  /// allows it, frees the receive buffer and closes the device.
  void CloseInternal(bool purge);
  /// Line setup after an open: queues, timeouts, DCB.
  virtual void SetupDevice();
  /// Puts the fixed DCB values in place and, while open, configures the line.
  void ApplyDCB();
  /// CE_ line error bits since the last call (from the driver's counters),
  /// with the COMSTAT block refreshed. The first call after an open only
  /// takes the counters as they stand.
  std::uint32_t ClearCommError();
  const COMSTAT& ComStat() const { return m_comStat; }
  virtual void DoCommError(std::uint32_t commCode, std::uint32_t sysError, TComStateFlags state);
  virtual void DoTraceState(TBaseIO& sender, TTraceStates states);
  /// The delivery side of the reader thread; see TComEventTarget.
  TComEventResult ProcessComEvent(const TComEvent& event) override;
  void ProcessPortLost(const TComEvent& event, int error) override;

  /// Replaces the DCB wholesale (loading a stored configuration) and applies it.
  void RestoreDCB(const DCB& dcb);
  void RestoreTimeouts(const COMMTIMEOUTS& timeouts) { m_timeouts = timeouts; }

 private:
  bool Send(const std::uint8_t* data, std::size_t count);
  /// Starts and stops the writer (with the reader: started after it,
  /// stopped before it, so the writer can always reach it).
  void StartSender();
  void StopSender();
  long WriteQueued(const std::uint8_t* data, std::size_t count) override;
  void QueuedWritten(std::size_t count) override;
  void QueuedWriteFailed(int error) override;
  bool TakeQueuedSent() override { return m_queuedSentPending.exchange(false); }
  int TakeSendError() override { return m_sendError.exchange(0); }
  /// The writer's news, on the thread that handles events.
  void HandleSendNews(const TComEvent& event);
  int WriteTimeoutMs() const;
  /// Closes the device whatever CloseInternal left undone.
  void ForceClosed();
  void RefreshQueues();
  /// The event still belongs to the open port and the reader runs on.
  bool IsCurrent(const TComEvent& event) const;
  void HandleComEvent(const TComEvent& event, TComEventResult& result);
  /// Delivers `count` bytes read at `bytes`, the characters the line marked
  /// as received with an error reported in their place; false when the port
  /// closed meanwhile.
  bool Deliver(std::uint8_t* bytes, std::uint32_t count, const TComEvent& event);
  /// Reads and delivers blocks until the input queue is empty or the
  /// handling's time budget is spent; false when the port closed or the
  /// read failed meanwhile.
  bool ReadWaiting(std::vector<std::uint8_t>& buffer, const TComEvent& event,
                   TTraceStates& states, TComEventResult& result);
  /// Turns an error that escaped the receive path into a fatal error.
  void ReportReceiveFailure();
  /// Takes `closing`; false, without it, when this thread runs a handling
  /// whose reader another thread stops meanwhile (that thread closes).
  bool LockForClose(std::unique_lock<std::recursive_mutex>& closing);
  void JoinRetiredReaders();

  std::uint32_t WatchedEvents() const override { return m_eventMask; }
  bool TakeTransmitPending() override { return m_transmitPending.exchange(false); }
  bool EventsOnGuiThread() const override { return m_useMainThread && GuiThreadReachable(); }

  COMMCONFIG m_config;
  COMMTIMEOUTS m_timeouts;
  COMSTAT m_comStat;
  TStreamProtocol m_streamProtocol = spHardware;
  std::atomic<bool> m_rs485Mode{false};
  TTraceStates m_traceStates;
  std::atomic<std::uint32_t> m_eventMask{EV_RXCHAR};
  std::uint16_t m_bufferInSize = 8192;
  std::uint16_t m_bufferOutSize = 8192;
  std::atomic<bool> m_useMainThread{true};
  TEnumPorts m_enumPorts = epQuickAll;
  const bool m_manualRtsToggle = true;
  /// Shared with a running handling, which keeps it alive past a close.
  std::shared_ptr<std::vector<std::uint8_t>> m_receiveBuffer;
  std::atomic<std::uint64_t> m_bytesSent{0};
  std::atomic<std::uint64_t> m_bytesReceived{0};
  std::atomic<bool> m_transmitPending{false};
  std::string m_lastErrorMessage;
  int m_lastOpenError = 0;
  /// Counter reading of the last ClearCommError; none right after an open.
  std::optional<LineCounters> m_errorCounters;
  std::uint64_t m_inputOverruns = 0;
  TInputBacklog m_inputBacklog;
  TReceiveMarks m_receiveMarks;
  /// Where Deliver found marked characters in the block being delivered.
  std::vector<std::size_t> m_receiveErrorsAt;
  /// Tells the events of one open from those of an earlier one.
  std::uint64_t m_generation = 0;
  std::unique_ptr<TReceiveThread> m_reader;
  /// Readers stopped from inside a handling, not joined yet.
  std::vector<std::unique_ptr<TReceiveThread>> m_retiredReaders;
  TSendQueue m_sendQueue;
  /// Set and reset under m_senderLock: a close on the reader may meet a Queue.
  std::unique_ptr<TSendThread> m_sender;
  mutable std::mutex m_senderLock;
  /// One write at a time on the device: SendData's or the writer's.
  std::mutex m_writing;
  std::atomic<std::uint64_t> m_queuedWritten{0};
  std::atomic<bool> m_queuedSentPending{false};
  std::atomic<int> m_sendError{0};
  /// Held by whoever closes the port: its owner, or the reader closing it on
  /// a hang-up while events run on the reader. Only one of the two closes.
  std::recursive_mutex m_closing;
};

}  // namespace kurvex
