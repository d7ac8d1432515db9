// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serial/customserialcomm.h"

namespace kurvex {

/// The serial port component placed on a window; its behaviour lives in the
/// base classes. Constructor defaults: closed, COM1, 19200 baud, 8N1,
/// hardware flow control, BufferIn/OutSize 8192, timeouts 0, TraceStates [],
/// UseMainThread true.
class TSerialComm final : public TCustomSerialComm {
 public:
  TSerialComm() = default;
  // First, while the whole object stands: the reader calls virtual methods.
  ~TSerialComm() override { ShutDown(); }
};

}  // namespace kurvex
