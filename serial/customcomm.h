#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "serial/baseio.h"
#include "serial/commtypes.h"
#include "serial/win32comm.h"

namespace kurvex {

/// (Com, Buffer, Received): `received` raw bytes at `buffer`, valid only
/// during the call.
using TOnReceived =
    std::function<void(TBaseIO& com, const std::uint8_t* buffer, std::uint32_t received)>;
using TOnSent = std::function<void(TBaseIO& com)>;
using TOnTraceEvent = std::function<void(TBaseIO& com, TTraceStates event)>;
/// (Com, CommCode, SysError, State, var flFlashBuffers): CommCode holds CE_
/// bits (0 for a failed write), SysError an errno value (0 for a line error).
using TOnCommErrorEvent =
    std::function<void(TBaseIO& com, std::uint32_t commCode, std::uint32_t sysError,
                       TComStateFlags state, bool& flFlashBuffers)>;

/// A communication port configured through a DCB: line settings, timeouts,
/// event mask, open/close, sending, purging and line control. Every setter
/// may be called while open and takes effect at once.
class TCustomComm : public TBaseIO {
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

  /// Events run in the GUI thread (else in the receive pipeline's thread).
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

  /// Size of the receive buffer: 0 while closed.
  std::size_t ReceiveBufferSize() const { return m_receiveBuffer.size(); }
  /// Bytes since the last open.
  std::uint64_t BytesSent() const { return m_bytesSent; }
  std::uint64_t BytesReceived() const { return m_bytesReceived; }
  /// Text of the last open failure.
  const std::string& LastErrorMessage() const { return m_lastErrorMessage; }

  /// Line control, only while open; each reports {tsCTS} (RTS) or {tsDSR}
  /// (DTR) through DoTraceState.
  void SetRTS(bool on);
  void SetDTR(bool on);

  /// Discard queued bytes; nothing while closed. PurgeOutput and PurgeAll
  /// drop RTS in RS485Mode with ManualRtsToggle.
  void PurgeInput();
  void PurgeOutput();
  void PurgeAll();

  /// Hand bytes to the driver while open, waiting up to TimeoutWrite for room;
  /// a failure goes to DoCommError. True when every byte was taken.
  bool SendChar(std::uint8_t byte);
  bool SendString(const std::string& text);
  bool SendData(const void* data, std::size_t count);

  /// The port's name ("Unknown" for a port without a name of its own).
  virtual std::string GetDeviceName() const;

  TOnReceived OnAfterReceive;
  TOnSent OnAfterSend;
  TOnTraceEvent OnTraceState;
  TOnCommErrorEvent OnCommError;

 protected:
  void DoOpen() override;
  void DoClose() override;
  /// Stops the receive pipeline, purges what waits to be sent when `purge`
  /// allows it, frees the receive buffer and closes the device.
  void CloseInternal(bool purge);
  /// Line setup after an open: queues, timeouts, DCB.
  virtual void SetupDevice();
  /// Puts the fixed DCB values in place and, while open, configures the line.
  void ApplyDCB();
  /// Line error bits since the last call, with the COMSTAT block refreshed.
  std::uint32_t ClearCommError();
  const COMSTAT& ComStat() const { return m_comStat; }
  virtual void DoCommError(std::uint32_t commCode, std::uint32_t sysError, TComStateFlags state);
  virtual void DoTraceState(TBaseIO& sender, TTraceStates states);

  /// Replaces the DCB wholesale (loading a stored configuration) and applies it.
  void RestoreDCB(const DCB& dcb);
  void RestoreTimeouts(const COMMTIMEOUTS& timeouts) { m_timeouts = timeouts; }

 private:
  bool Send(const std::uint8_t* data, std::size_t count);
  int WriteTimeoutMs() const;

  COMMCONFIG m_config;
  COMMTIMEOUTS m_timeouts;
  COMSTAT m_comStat;
  TStreamProtocol m_streamProtocol = spHardware;
  bool m_rs485Mode = false;
  TTraceStates m_traceStates;
  std::uint32_t m_eventMask = EV_RXCHAR;
  std::uint16_t m_bufferInSize = 8192;
  std::uint16_t m_bufferOutSize = 8192;
  bool m_useMainThread = true;
  TEnumPorts m_enumPorts = epQuickAll;
  const bool m_manualRtsToggle = true;
  std::vector<std::uint8_t> m_receiveBuffer;
  std::uint64_t m_bytesSent = 0;
  std::uint64_t m_bytesReceived = 0;
  std::string m_lastErrorMessage;
};

}  // namespace kurvex
