// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

namespace kurvex {

/// Parity generated on transmit.
enum class SerialParity : std::uint8_t { None, Odd, Even, Mark, Space };

/// Line settings of a serial device, the operating system's view of the DCB.
struct SerialLineSettings {
  std::uint32_t BaudRate = 9600;  ///< bits per second, any value the driver accepts
  std::uint8_t DataBits = 8;      ///< 5..8
  SerialParity Parity = SerialParity::None;
  bool CheckParity = false;    ///< check received characters for parity and framing errors
  /// With CheckParity: a character received with an error arrives as the
  /// three bytes 0xFF 0x00 c, and a 0xFF data byte as 0xFF 0xFF.
  bool MarkErrors = false;
  bool StripEighthBit = false;  ///< clear bit 7 of every received byte
  bool TwoStopBits = false;    ///< also stands for 1.5 stop bits
  bool HardwareFlow = false;   ///< CTS/RTS handshake
  bool XonXoffOutput = false;  ///< stop sending on XOFF received
  bool XonXoffInput = false;   ///< send XOFF/XON as the input queue fills and drains
  char XonChar = 17;
  char XoffChar = 19;
  bool Dtr = true;  ///< DTR level after configuring
  bool Rts = true;  ///< RTS level after configuring; ignored with HardwareFlow
};

/// Output lines a program may drive.
enum class ModemLine : std::uint8_t { Dtr, Rts };

/// Input lines; all false on a device without modem lines (a pseudo-terminal).
struct ModemStatus {
  bool Cts = false;
  bool Dsr = false;
  bool Ring = false;
  bool Rlsd = false;
};

/// Bytes waiting in the driver's queues.
struct SerialQueues {
  std::uint32_t Input = 0;
  std::uint32_t Output = 0;
};

/// The driver's running event counts since the device appeared: modem line
/// transitions and receive errors. Only differences between two readings
/// mean anything.
struct LineCounters {
  std::uint32_t Cts = 0;
  std::uint32_t Dsr = 0;
  std::uint32_t Ring = 0;
  std::uint32_t Rlsd = 0;
  std::uint32_t Frame = 0;
  std::uint32_t Overrun = 0;        ///< the UART's receive register overran
  std::uint32_t Parity = 0;
  std::uint32_t Break = 0;
  std::uint32_t BufferOverrun = 0;  ///< the driver's input queue overflowed
};

/// One open serial device. Error results are errno values (0 = success).
/// Not thread-safe: the owner serialises calls, except that the queries
/// Fd(), Queues() and Counters() may also come from a reader thread, and
/// WriteSome and SetLine from a writer thread, while the device is open
/// (the owner still keeps writes from overlapping each other).
class SerialDevice {
 public:
  virtual ~SerialDevice() = default;

  /// Descriptor to poll for input; stays valid until the device is destroyed.
  virtual int Fd() const = 0;

  /// Applies all line settings, then the DTR and RTS levels. Unsupported
  /// values (data bits outside 5..8, 0 baud) give EINVAL and change nothing.
  virtual int Configure(const SerialLineSettings& settings) = 0;

  /// Raises or drops an output line. A device without modem lines succeeds.
  virtual int SetLine(ModemLine line, bool on) = 0;

  virtual ModemStatus Status() = 0;
  virtual SerialQueues Queues() = 0;

  /// Reads the event counters; false on a device that keeps none (a
  /// pseudo-terminal), which then never reports line errors or line events.
  virtual bool Counters(LineCounters& counters) = 0;

  /// Discards what waits in the input and/or output queue.
  virtual int Purge(bool input, bool output) = 0;

  /// Hands all `count` bytes to the driver, waiting while its queue is full;
  /// `timeoutMs` < 0 waits without limit, otherwise ETIMEDOUT after that long.
  virtual int Write(const std::uint8_t* data, std::size_t count, int timeoutMs) = 0;

  /// Hands the driver as much of `count` bytes as it takes now, without
  /// waiting: the byte count (0 while its queue is full) or a negative errno.
  virtual long WriteSome(const std::uint8_t* data, std::size_t count) = 0;

  /// Reads what is waiting, at most `capacity` bytes, without waiting:
  /// the byte count (0 when nothing waits) or a negative errno.
  virtual long Read(std::uint8_t* buffer, std::size_t capacity) = 0;
};

}  // namespace kurvex
