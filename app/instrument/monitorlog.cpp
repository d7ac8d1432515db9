// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instrument/monitorlog.h"

namespace kurvex {

void TMonitorLog::SetOpen(bool open) {
  m_open = open;
  if (open && m_ring.empty()) m_ring.resize(kKeptLines);
}

TMonitorEntry& TMonitorLog::Append(TMonitorEntry::TKind kind, std::int64_t wallNs) {
  ++m_recorded;
  std::size_t slot;
  if (m_size < kKeptLines) {
    slot = (m_first + m_size++) % kKeptLines;
  } else {
    slot = m_first;
    m_first = (m_first + 1) % kKeptLines;
  }
  // Reused in place: the text keeps its capacity, so a full log allocates no more.
  TMonitorEntry& entry = m_ring[slot];
  entry.Kind = kind;
  entry.Fate = TMonitorEntry::TFate::Sample;
  entry.WallNs = wallNs;
  entry.Present = 0;
  entry.Complete = true;
  if (OnChanged) OnChanged();
  return entry;
}

TMonitorEntry* TMonitorLog::LastReceived() {
  if (!m_open || m_size == 0) return nullptr;
  TMonitorEntry& last = m_ring[(m_first + m_size - 1) % kKeptLines];
  return last.Kind == TMonitorEntry::TKind::Received ? &last : nullptr;
}

void TMonitorLog::LineReceived(std::string_view line, TLineEnd end) {
  if (!m_open) return;
  TMonitorEntry& entry = Append(TMonitorEntry::TKind::Received, m_batchWallNs);
  entry.Bytes.assign(line);
  switch (end) {
    case leCrLf: entry.Bytes += "\r\n"; break;
    case leLf: entry.Bytes += '\n'; break;
    case leCr: entry.Bytes += '\r'; break;
    case leUndecided: break;
  }
}

void TMonitorLog::LineLeftOut() {
  if (TMonitorEntry* last = LastReceived()) last->Fate = TMonitorEntry::TFate::TransmissionError;
}

void TMonitorLog::LineTaken(const TLineOutcome& outcome) {
  TMonitorEntry* last = LastReceived();
  if (last == nullptr) return;
  last->Complete = outcome.Complete;
  if (outcome.BeyondLimit) last->Fate = TMonitorEntry::TFate::BeyondLimit;
}

void TMonitorLog::Take(const TSample& sample) {
  TMonitorEntry* last = LastReceived();
  if (last == nullptr) return;
  last->Present = sample.Present;
  for (std::size_t curve = 0; curve < sample.Values.size(); ++curve)
    if (sample.Has(curve)) last->Values[curve] = sample.Values[curve].Scaled;
}

void TMonitorLog::Sent(std::string_view bytes, std::int64_t wallNs) {
  if (!m_open) return;
  Append(TMonitorEntry::TKind::Sent, wallNs).Bytes.assign(bytes);
}

void TMonitorLog::Clear() {
  m_first = 0;
  m_size = 0;
  if (OnChanged) OnChanged();
}

}  // namespace kurvex
