// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/instrument/monitorlog.h"
#include "app/instrument/querypacer.h"
#include "app/setuppart.h"
#include "platform/windows/timer.h"
#include "serial/serialcomm.h"

namespace kurvex {

/// What the window sends to the instrument: a command right after the port
/// opens and one right before it closes, and a query every interval while
/// acquiring, paced by its answers. With nothing set, nothing is ever
/// sent. Kept in a setup. GUI thread only.
class TInstrumentFeature : public TSetupPart {
 public:
  /// `sendWatch` runs only while sent bytes wait for the line.
  TInstrumentFeature(TSerialComm& port, TTimer& queryTimer, TTimer& sendWatch, TMonitorLog& log);

  /// Part of Start, once the port is open: the start command, then the
  /// first query.
  void Start();
  /// Part of Stop, before the port closes: the stop command, waited for at
  /// most 200 ms.
  void Stop();
  /// The query's timer; true when a query went without its answer.
  bool TimerTick();
  /// A line arrived: the answer to the query that waits, if one does.
  void LineArrived();

  /// A command typed by hand, with its escapes and the line end: empty
  /// when it is queued, else why it is not (nothing of it is sent).
  std::string SendTyped(const std::string& typed);
  /// The line end appended to every command.
  TCommandLineEnd LineEnd() const { return m_lineEnd; }
  void SetLineEnd(TCommandLineEnd lineEnd) { m_lineEnd = lineEnd; }
  /// The send watch's timer; true when SendStalled changed.
  bool SendWatchTick();
  bool PortActive() const { return m_port.Active(); }
  /// Sent bytes have waited too long for the line to take them.
  bool SendStalled() const { return m_stalled; }

  /// Queries that got no answer in this acquisition.
  std::int64_t MissingAnswers() const { return m_pacer ? m_pacer->Missing() : 0; }
  const TQueryPacer* Pacer() const { return m_pacer.get(); }

  void CollectInto(TSetup& setup) const override;
  void ApplyFrom(const TSetup& setup, std::vector<std::string>& notes) override;

 private:
  /// `typed` with its escapes and the line end, for the line.
  std::string Bytes(const std::string& typed) const;
  void Send(const std::optional<std::string>& typed);
  /// Queues `bytes`, logs them and watches them leave; false when the
  /// queue cannot take them.
  bool Queue(const std::string& bytes);

  TSerialComm& m_port;
  TTimer& m_queryTimer;
  TTimer& m_sendWatch;
  TMonitorLog& m_log;
  bool m_stalled = false;
  std::optional<std::string> m_atStart, m_atStop, m_query;
  TCommandLineEnd m_lineEnd = TCommandLineEnd::CrLf;
  std::uint32_t m_intervalMs = 1000;
  std::optional<std::uint32_t> m_timeoutMs;
  std::unique_ptr<TQueryPacer> m_pacer;  // while a query is set
};

}  // namespace kurvex
