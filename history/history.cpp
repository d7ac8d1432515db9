// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/history.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "history/bisection.h"

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

void THistory::Clear(std::optional<std::int64_t> startWallNs) {
  m_chunks.clear();
  m_firstChunk = 0;
  m_lastNumber = 0;
  m_curves = 0;
  m_recent = RunStart(startWallNs);
  m_lastKnownNs.reset();
}

void THistory::Append(std::optional<std::int64_t> wallNs, std::span<const float> values, std::uint16_t present) {
  const std::size_t given = std::min(values.size(), kMaxCurves);
  present &= static_cast<std::uint16_t>((1u << given) - 1);
  const std::int64_t number = m_lastNumber + 1;
  const std::size_t pos = Position(number);
  if (pos == 0) StartChunk();
  TChunk& chunk = m_chunks.back();
  chunk.Times.Add(number, wallNs);
  // The start is no block of samples: the first sample begins one.
  if (number == 1 || wallNs != m_recent[2].WallNs) BeginBlock(number, wallNs);
  if (pos == 0) chunk.Head = m_recent;
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
  chunk.KnownBeforeNs = m_lastKnownNs;
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

void THistory::BeginBlock(std::int64_t number, std::optional<std::int64_t> wallNs) {
  // The chunks whose last block just ended learn where the next begins.
  for (std::int64_t c = std::max(ChunkIndex(m_recent[2].Number), m_firstChunk); c < ChunkIndex(number); ++c)
    m_chunks[static_cast<std::size_t>(c - m_firstChunk)].NextBlockNumber = number;
  m_recent = {m_recent[1], m_recent[2], TBatchEntry{number, wallNs}};
  if (wallNs) m_lastKnownNs = wallNs;
}

const THistory::TChunk* THistory::ChunkOf(std::int64_t number) const {
  if (number < FirstNumber() || number > m_lastNumber) return nullptr;
  return &m_chunks[static_cast<std::size_t>(ChunkIndex(number) - m_firstChunk)];
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

std::optional<THistory::TBlock> THistory::BlockOf(const TChunk& chunk, std::int64_t chunkFirst,
                                                  const TBatchWindow& window) const {
  // The chunk's first entry is the block of its head, which may have begun
  // in a chunk before; the blocks before the chunk are the rest of its head.
  std::array<TBatchEntry, 6> blocks{chunk.Head[0], chunk.Head[1], chunk.Head[2]};
  std::size_t count = chunk.Head.size();
  for (const std::optional<TBatchEntry>& entry : {window.SecondBefore, window.Before, std::optional(window.Entry)})
    if (entry && entry->Number != chunkFirst) blocks[count++] = *entry;
  const TBatchEntry& twoBefore = blocks[count - 3];
  const TBatchEntry& before = blocks[count - 2];
  const TBatchEntry& block = blocks[count - 1];
  if (!block.WallNs) return std::nullopt;
  // The newest block has the lines so far.
  const std::int64_t next = window.NextNumber            ? *window.NextNumber
                            : chunk.NextBlockNumber != 0 ? chunk.NextBlockNumber
                                                         : m_lastNumber + 1;
  return TBlock{block.Number,
                {*block.WallNs, next - block.Number, before.WallNs,
                 PerLineNs(twoBefore.WallNs, before.WallNs, block.Number - before.Number)}};
}

std::optional<std::int64_t> THistory::SampleNs(std::int64_t number) const {
  const TChunk* chunk = ChunkOf(number);
  if (chunk == nullptr) return std::nullopt;
  const std::optional<TBatchWindow> window = chunk->Times.Around(number);
  const std::optional<TBlock> block = window ? BlockOf(*chunk, FirstOf(ChunkIndex(number)), *window) : std::nullopt;
  if (!block) return std::nullopt;
  return LineNs(block->Times, number - block->First + 1);
}

std::int64_t THistory::FirstAtOrAfterNs(std::int64_t ns) const {
  // The first chunk by whose end a time at least ns is known holds the
  // first such time; the chunks before it hold only earlier ones.
  const std::size_t k = FirstNotBefore(m_chunks.size(), [&](std::size_t i) {
    const std::optional<std::int64_t>& known = i + 1 < m_chunks.size() ? m_chunks[i + 1].KnownBeforeNs : m_lastKnownNs;
    return !known || *known < ns;
  });
  if (k == m_chunks.size()) return m_lastNumber + 1;
  const TChunk& chunk = m_chunks[k];
  const std::int64_t chunkFirst = FirstOf(m_firstChunk + static_cast<std::int64_t>(k));
  const std::optional<TBatchWindow> window = chunk.Times.FirstAtOrAfterNs(ns);
  const std::optional<TBlock> block = window ? BlockOf(chunk, chunkFirst, *window) : std::nullopt;
  // Times that went backwards: after this chunk.
  if (!block) return std::min(FirstOf(m_firstChunk + static_cast<std::int64_t>(k) + 1), m_lastNumber + 1);
  // The block's line times rise with the line; its last lies at its time.
  const auto lines = static_cast<std::size_t>(block->Times.Lines);
  const auto line = static_cast<std::int64_t>(FirstNotBefore(
      lines, [&](std::size_t j) { return LineNs(block->Times, static_cast<std::int64_t>(j) + 1) < ns; }));
  return std::clamp(block->First + line, FirstNumber(), m_lastNumber + 1);
}

THistorySummary THistory::Summary(std::size_t curve, std::int64_t from, std::int64_t to) const {
  THistorySummary summary;
  from = std::max(from, FirstNumber());
  to = std::min(to, m_lastNumber);
  if (curve >= m_curves) return summary;
  while (from <= to) {
    const std::int64_t chunkLast = FirstOf(ChunkIndex(from) + 1) - 1;
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
