// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/history.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace kurvex {

namespace {
constexpr float kGap = std::numeric_limits<float>::quiet_NaN();
}

THistory::THistory(std::size_t budgetBytes, std::size_t chunkSamples)
    : m_budgetBytes(budgetBytes), m_chunkSamples(chunkSamples) {
  if (!std::has_single_bit(chunkSamples) || chunkSamples < kHistoryBlock || chunkSamples > std::size_t{1} << 30)
    throw std::invalid_argument("THistory: chunkSamples must be a power of two from 64 to 2^30");
  m_chunkShift = static_cast<unsigned>(std::countr_zero(chunkSamples));
}

void THistory::Clear() {
  m_chunks.clear();
  m_firstChunk = 0;
  m_lastNumber = 0;
  m_curves = 0;
}

void THistory::Append(std::optional<std::int64_t> wallNs, std::span<const float> values, std::uint16_t present) {
  const std::size_t given = std::min(values.size(), kMaxCurves);
  present &= static_cast<std::uint16_t>((1u << given) - 1);
  const std::int64_t number = m_lastNumber + 1;
  const std::size_t pos = Position(number);
  if (pos == 0) StartChunk();
  TChunk& chunk = m_chunks.back();
  chunk.Times.Add(number, wallNs);
  if (present >> m_curves != 0) AddCurves(static_cast<std::size_t>(std::bit_width(present)), pos);
  for (std::size_t k = 0; k < m_curves; ++k) chunk.Curves[k]->Set(pos, (present >> k & 1u) != 0 ? values[k] : kGap);
  m_lastNumber = number;
}

void THistory::StartChunk() {
  // Room for a chunk like the last one (its curves and about its times)
  // before it is allocated, so the budget holds at its peak too.
  const std::size_t needed = m_chunks.empty() ? 0 : m_chunks.back().Bytes();
  std::size_t used = BytesUsed();
  while (!m_chunks.empty() && used + needed > m_budgetBytes) DropOldest(used);
  TChunk& chunk = m_chunks.emplace_back();
  for (std::size_t k = 0; k < m_curves; ++k) chunk.Curves[k] = std::make_unique<TCurveChunk>(m_chunkSamples, 0);
}

void THistory::AddCurves(std::size_t curves, std::size_t pos) {
  TChunk& chunk = m_chunks.back();
  for (std::size_t k = m_curves; k < curves; ++k) chunk.Curves[k] = std::make_unique<TCurveChunk>(m_chunkSamples, pos);
  m_curves = curves;
  std::size_t used = BytesUsed();
  while (m_chunks.size() > 1 && used > m_budgetBytes) DropOldest(used);
}

void THistory::DropOldest(std::size_t& used) {
  used -= m_chunks.front().Bytes();
  m_chunks.pop_front();
  ++m_firstChunk;
}

const THistory::TChunk* THistory::ChunkOf(std::int64_t number) const {
  if (number < FirstNumber() || number > m_lastNumber) return nullptr;
  return &m_chunks[static_cast<std::size_t>(((number - 1) >> m_chunkShift) - m_firstChunk)];
}

float THistory::Value(std::size_t curve, std::int64_t number) const {
  const TChunk* chunk = ChunkOf(number);
  if (chunk == nullptr || curve >= m_curves || !chunk->Curves[curve]) return kGap;
  return chunk->Curves[curve]->At(Position(number));
}

std::optional<std::int64_t> THistory::WallNs(std::int64_t number) const {
  const TChunk* chunk = ChunkOf(number);
  return chunk == nullptr ? std::nullopt : chunk->Times.At(number);
}

THistorySummary THistory::Summary(std::size_t curve, std::int64_t from, std::int64_t to) const {
  THistorySummary summary;
  from = std::max(from, FirstNumber());
  to = std::min(to, m_lastNumber);
  if (curve >= m_curves) return summary;
  const auto chunkSamples = static_cast<std::int64_t>(m_chunkSamples);
  while (from <= to) {
    const std::int64_t chunkLast = ((from - 1) >> m_chunkShift) * chunkSamples + chunkSamples;
    const std::int64_t last = std::min(to, chunkLast);
    if (const TCurveChunk* values = ChunkOf(from)->Curves[curve].get()) {
      const std::size_t first = Position(from);
      if (first == 0 && last == chunkLast)
        summary.Merge(values->Whole());
      else
        summary.Merge(values->Summary(first, Position(last)));
    }
    from = last + 1;
  }
  return summary;
}

void THistory::Columns(std::size_t curve, double from, double to, std::span<THistorySummary> out) const {
  const double width = (to - from) / static_cast<double>(out.size());
  // The first number of column c; clamped to what is held (plus one past
  // it), which keeps the columns in order and the conversion defined.
  const auto columnStart = [&](std::size_t c) {
    const double x = from + static_cast<double>(c) * width;
    const double lowest = static_cast<double>(FirstNumber());
    const double beyond = static_cast<double>(m_lastNumber + 1);
    return static_cast<std::int64_t>(std::ceil(std::isnan(x) ? beyond : std::clamp(x, lowest, beyond)));
  };
  std::int64_t start = columnStart(0);
  for (std::size_t c = 0; c < out.size(); ++c) {
    const std::int64_t next = columnStart(c + 1);
    out[c] = next > start ? Summary(curve, start, next - 1) : THistorySummary{};
    start = next;
  }
}

std::size_t THistory::TChunk::Bytes() const {
  std::size_t bytes = Times.Bytes();
  for (const auto& curve : Curves)
    if (curve) bytes += curve->Bytes();
  return bytes;
}

std::size_t THistory::BytesUsed() const {
  std::size_t bytes = 0;
  for (const TChunk& chunk : m_chunks) bytes += chunk.Bytes();
  return bytes;
}

}  // namespace kurvex
