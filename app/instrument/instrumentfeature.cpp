// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instrument/instrumentfeature.h"

#include <utility>

#include "app/instrument/instrumenttexts.h"
#include "intake/readtime.h"
#include "platform/system/translate.h"
#include "serial/commandescapes.h"

namespace kurvex {

namespace {

// Stop waits no longer for its command to leave.
constexpr int kStopCommandWaitMs = 200;
// How often the send watch looks whether queued bytes still wait.
constexpr int kSendWatchMs = 250;

const char* LineEndBytes(TCommandLineEnd lineEnd) {
  switch (lineEnd) {
    case TCommandLineEnd::CrLf: return "\r\n";
    case TCommandLineEnd::Lf: return "\n";
    case TCommandLineEnd::Cr: return "\r";
    case TCommandLineEnd::None: break;
  }
  return "";
}

}  // namespace

TInstrumentFeature::TInstrumentFeature(TSerialComm& port, TTimer& queryTimer, TTimer& sendWatch, TMonitorLog& log)
    : m_port(port), m_queryTimer(queryTimer), m_sendWatch(sendWatch), m_log(log) {
  m_sendWatch.SetInterval(kSendWatchMs);
  m_queryTimer.SetPrecise(true);
}

std::string TInstrumentFeature::Bytes(const std::string& typed) const {
  return ParseCommandEscapes(typed).Bytes + LineEndBytes(m_lineEnd);
}

bool TInstrumentFeature::Queue(const std::string& bytes) {
  if (!m_port.Queue(bytes)) return false;
  m_log.Sent(bytes, TReadTime::Now().WallNs);
  m_sendWatch.SetEnabled(true);
  return true;
}

void TInstrumentFeature::Send(const std::optional<std::string>& typed) {
  if (typed) Queue(Bytes(*typed));
}

std::string TInstrumentFeature::SendTyped(const std::string& typed) {
  const TCommandBytes bytes = ParseCommandEscapes(typed);
  if (!bytes.Ok()) return BadEscapeText(typed, bytes.BadEscape);
  if (!m_port.Active()) return Tr(kPortClosedText);
  if (!Queue(bytes.Bytes + LineEndBytes(m_lineEnd))) return SendQueueFullText();
  return {};
}

bool TInstrumentFeature::SendWatchTick() {
  const bool waiting = m_port.SendWaiting() > 0;
  if (!waiting) m_sendWatch.SetEnabled(false);
  const bool stalled = waiting && m_port.SendStalled();
  return std::exchange(m_stalled, stalled) != stalled;
}

void TInstrumentFeature::Start() {
  Send(m_atStart);
  if (!m_pacer) return;
  m_pacer->Restart();
  m_queryTimer.SetInterval(static_cast<int>(m_intervalMs));
  m_queryTimer.SetEnabled(true);
  TimerTick();
}

void TInstrumentFeature::Stop() {
  m_queryTimer.SetEnabled(false);
  if (!m_atStop) return;
  Send(m_atStop);
  m_port.DrainSend(kStopCommandWaitMs);
}

bool TInstrumentFeature::TimerTick() {
  if (!m_pacer) return false;
  const std::int64_t missing = m_pacer->Missing();
  if (m_pacer->Due(TQueryPacer::TClock::now())) Send(m_query);
  return m_pacer->Missing() != missing;
}

void TInstrumentFeature::LineArrived() {
  if (!m_pacer || !m_queryTimer.Enabled()) return;
  const auto now = TQueryPacer::TClock::now();
  if (!m_pacer->LineArrived(now) || !m_pacer->Due(now)) return;
  // A late answer asks again at once; the ticks follow from this query, as
  // the timer keeps its own pace otherwise.
  Send(m_query);
  m_queryTimer.SetEnabled(false);
  m_queryTimer.SetEnabled(true);
}

void TInstrumentFeature::CollectInto(TSetup& setup) const {
  setup.SendAtStart = m_atStart;
  setup.SendAtStop = m_atStop;
  setup.Query = m_query;
  if (m_atStart || m_atStop || m_query || m_lineEnd != TCommandLineEnd::CrLf) setup.CommandLineEnd = m_lineEnd;
  if (!m_query) return;
  setup.QueryIntervalMs = m_intervalMs;
  setup.QueryTimeoutMs = m_timeoutMs;
}

void TInstrumentFeature::ApplyFrom(const TSetup& setup, std::vector<std::string>& notes) {
  // A command whose escapes cannot be sent is refused whole: nothing of it goes out.
  const auto command = [&](const std::optional<std::string>& typed, std::optional<std::string>& kept) {
    if (!typed) return;
    if (const TCommandBytes bytes = ParseCommandEscapes(*typed); !bytes.Ok()) {
      notes.push_back(BadEscapeText(*typed, bytes.BadEscape));
      return;
    }
    kept = typed;
  };
  command(setup.SendAtStart, m_atStart);
  command(setup.SendAtStop, m_atStop);
  command(setup.Query, m_query);
  if (setup.CommandLineEnd) m_lineEnd = *setup.CommandLineEnd;
  if (setup.QueryIntervalMs) m_intervalMs = *setup.QueryIntervalMs;
  if (setup.QueryTimeoutMs) m_timeoutMs = *setup.QueryTimeoutMs;
  if (m_query)
    m_pacer = std::make_unique<TQueryPacer>(std::chrono::milliseconds(m_intervalMs),
                                            std::chrono::milliseconds(m_timeoutMs.value_or(0)));
}

}  // namespace kurvex
