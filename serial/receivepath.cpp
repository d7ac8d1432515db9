// SPDX-License-Identifier: GPL-3.0-or-later
// The receive side of TCustomComm: the reader's lifetime and the handling of
// each event it finds.
#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cstring>
#include <exception>
#include <mutex>
#include <thread>

#include "platform/system/dispatcher.h"
#include "serial/customcomm.h"
#include "serial/dcb.h"
#include "serial/eventmask.h"
#include "serial/logfile.h"
#include "platform/system/translate.h"

namespace kurvex {

namespace {

// How long one handling may deliver blocks before it leaves the rest of the
// queue to the next event, so the window's loop (frames, Stop, the menus)
// runs between handlings however fast the instrument sends. A 16 KiB block
// of short lines costs about 1.5 ms in Trend on this project's reference
// machine and several times that in a sanitizer build; 4 ms lets the loop in
// well within a frame while one event hand-over (two thread switches, some
// 20 µs) costs under 1 % of the intake.
constexpr auto kHandlingBudget = std::chrono::milliseconds(4);

// The handlings running on this thread, innermost first. A close made
// inside one must not wait for the reader, which waits for the handling.
struct HandlingFrame {
  const TCustomComm* Comm;
  const std::stop_token* ReaderStop;
  const HandlingFrame* Outer;
};

thread_local const HandlingFrame* t_innermostHandling = nullptr;

class HandlingScope {
 public:
  HandlingScope(const TCustomComm* comm, const TComEvent& event)
      : m_frame{comm, &event.Stop, t_innermostHandling} {
    t_innermostHandling = &m_frame;
  }
  ~HandlingScope() { t_innermostHandling = m_frame.Outer; }
  HandlingScope(const HandlingScope&) = delete;
  HandlingScope& operator=(const HandlingScope&) = delete;

 private:
  HandlingFrame m_frame;
};

const HandlingFrame* HandlingOnThisThread(const TCustomComm* comm) {
  for (const HandlingFrame* frame = t_innermostHandling; frame != nullptr; frame = frame->Outer) {
    if (frame->Comm == comm) {
      return frame;
    }
  }
  return nullptr;
}

bool InHandlingOnThisThread(const TCustomComm* comm) { return HandlingOnThisThread(comm) != nullptr; }

// The message of the error being handled in a catch block.
std::string CurrentErrorText() {
  try {
    throw;
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
    return Tr("Serial", "Unbekannter Fehler");
  }
}

}  // namespace

void TCustomComm::StartThreads() {
  JoinRetiredReaders();
  // Deliveries can go to the GUI thread only if the port is opened on it:
  // otherwise no message loop is known to run.
  SetGuiThreadReachable(TDispatcher::InGuiThread());
  TComEventTarget& target = *this;
  // The reader may close the port before the assignment is done (a device
  // gone at once): its close waits for the lock.
  const std::lock_guard<std::recursive_mutex> closing(m_closing);
  m_reader = std::make_unique<TReceiveThread>(target, *Device(), ++m_generation);
  StartSender();
}

void TCustomComm::StopThreads() {
  StopSender();
  if (m_reader == nullptr) {
    return;
  }
  m_reader->Stop();
  if (InHandlingOnThisThread(this)) {
    m_retiredReaders.push_back(std::move(m_reader));
    return;
  }
  m_reader.reset();
}

bool TCustomComm::LockForClose(std::unique_lock<std::recursive_mutex>& closing) {
  const HandlingFrame* handling = HandlingOnThisThread(this);
  if (handling == nullptr) {
    closing.lock();
    return true;
  }
  // Whoever holds the lock may be stopping this very handling's reader and
  // waiting for it: then the close is theirs, and this one gives way.
  while (!closing.try_lock()) {
    if (handling->ReaderStop->stop_requested()) {
      return false;
    }
    std::this_thread::yield();
  }
  return true;
}

void TCustomComm::JoinRetiredReaders() {
  if (InHandlingOnThisThread(this)) {
    return;
  }
  std::vector<std::unique_ptr<TReceiveThread>> retired;
  {
    const std::lock_guard<std::recursive_mutex> closing(m_closing);
    retired.swap(m_retiredReaders);
  }
  retired.clear();
}

bool TCustomComm::HasReceiver() const { return static_cast<bool>(OnAfterReceive); }

void TCustomComm::DoReceive(const std::uint8_t* buffer, std::uint32_t count) {
  if (OnAfterReceive) {
    OnAfterReceive(*this, buffer, count);
  }
}

void TCustomComm::DoReceiveError() {
  if (OnReceiveError) {
    OnReceiveError(*this);
  }
}

bool TCustomComm::Deliver(std::uint8_t* bytes, std::uint32_t count, const TComEvent& event) {
  if (!MarksReceiveErrors(DCBBlock())) {
    DoReceive(bytes, count);
    return IsCurrent(event);
  }
  const std::size_t data = m_receiveMarks.Decode(bytes, count, m_receiveErrorsAt);
  std::size_t from = 0;
  for (const std::size_t errorAt : m_receiveErrorsAt) {
    if (errorAt > from) {
      DoReceive(bytes + from, static_cast<std::uint32_t>(errorAt - from));
      if (!IsCurrent(event)) return false;
    }
    DoReceiveError();
    if (!IsCurrent(event)) return false;
    from = errorAt;
  }
  if (data > from) {
    DoReceive(bytes + from, static_cast<std::uint32_t>(data - from));
  }
  return IsCurrent(event);
}

bool TCustomComm::IsCurrent(const TComEvent& event) const {
  return IsOpened() && event.Generation == m_generation && !event.Stop.stop_requested();
}

TComEventResult TCustomComm::ProcessComEvent(const TComEvent& event) {
  TComEventResult result;
  if (!IsCurrent(event)) {
    return result;
  }
  HandlingScope scope(this, event);
  try {
    HandleComEvent(event, result);
  } catch (...) {
    ReportReceiveFailure();
  }
  return result;
}

void TCustomComm::HandleComEvent(const TComEvent& event, TComEventResult& result) {
  // Our own share: the block stays valid if a handler closes the port.
  const std::shared_ptr<std::vector<std::uint8_t>> buffer = m_receiveBuffer;
  HandleSendNews(event);
  if (!IsCurrent(event)) {
    return;
  }
  const std::uint32_t errors = ClearCommError();
  if (errors != 0) {
    // The bytes of this event stay queued; the next event brings them.
    DoCommError(errors, 0, TComStateFlags::FromBits(m_comStat.Flags));
    return;
  }
  TTraceStates states = TraceStatesForEvents(event.Mask);
  if ((event.Mask & EV_RXCHAR) != 0 && m_comStat.cbInQue > 0) {
    if (!TraceStates().Contains(tsRxChar) && !HasReceiver()) {
      m_bytesReceived += m_comStat.cbInQue;
      result.Unread = m_comStat.cbInQue;
    } else if (!ReadWaiting(*buffer, event, states, result)) {
      return;
    }
  }
  if ((event.Mask & EV_TXEMPTY) != 0) {
    if (RS485Mode() && ManualRtsToggle()) {
      SetRTS(false);
    }
    // No data processor is ever attached, so no send is pending beyond the driver's.
    if (TraceStates().Contains(tsTxEmpty) && OnAfterSend) {
      OnAfterSend(*this);
    }
  }
  if (!states.Empty() && IsCurrent(event)) {
    DoTraceState(*this, states);
  }
}

bool TCustomComm::ReadWaiting(std::vector<std::uint8_t>& buffer, const TComEvent& event,
                              TTraceStates& states, TComEventResult& result) {
  const bool watchEventChar = (m_eventMask & EV_RXFLAG) != 0;
  const auto deadline = TInputBacklog::Clock::now() + kHandlingBudget;
  bool drained = true;
  do {
    const std::size_t wanted = std::min<std::size_t>(m_comStat.cbInQue, buffer.size());
    const long got = Device()->Read(buffer.data(), wanted);
    if (got < 0) {
      result.ReadError = static_cast<int>(-got);
      return false;
    }
    if (got == 0) {
      break;
    }
    const auto count = static_cast<std::uint32_t>(got);
    // Counted per block read: bytes that arrive while the loop runs count too.
    m_bytesReceived += count;
    if (watchEventChar && std::memchr(buffer.data(), EventChar(), count) != nullptr) {
      states.Include(tsRxFlag);
    }
    if (!Deliver(buffer.data(), count, event)) {
      return false;
    }
    // Only the queue is refreshed: a line error found now is left for the
    // next event to report instead of being swallowed here.
    RefreshQueues();
    if (m_comStat.cbInQue > 0 && TInputBacklog::Clock::now() >= deadline) {
      drained = false;
      break;
    }
  } while (m_comStat.cbInQue > 0);
  result.Backlog = !drained;
  if (m_inputBacklog.HandlingEnded(!drained, TInputBacklog::Clock::now()) && OnInputOverload) {
    OnInputOverload(*this, m_inputBacklog.Overloaded());
  }
  return IsCurrent(event);
}

void TCustomComm::ReportReceiveFailure() {
  const auto detail = static_cast<std::uint32_t>(errno);
  try {
    DoFatalError(1, detail, CurrentErrorText(), true);
  } catch (...) {
    // The fatal-error handler itself failed; that is reported, not lost.
    ShowError(EKurvexError(CurrentErrorText()));
  }
}

void TCustomComm::ProcessPortLost(const TComEvent& event, int error) {
  HandlingScope scope(this, event);
  std::unique_lock<std::recursive_mutex> closing(m_closing, std::defer_lock);
  if (!LockForClose(closing) || !IsCurrent(event)) {
    return;
  }
  const std::string message = FormatText("Device \"%s\" Connection Lost !!!\r%s",
                                         GetDeviceName().c_str(), std::strerror(error));
  try {
    // Nothing can be sent any more, so there is nothing to purge.
    CloseInternal(false);
  } catch (...) {
    ForceClosed();
    ShowError(EKurvexError(CurrentErrorText()));
  }
  closing.unlock();
  try {
    DoFatalError(1, static_cast<std::uint32_t>(error), message, true);
  } catch (...) {
    ShowError(EKurvexError(CurrentErrorText()));
  }
}

}  // namespace kurvex
