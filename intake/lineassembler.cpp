// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/lineassembler.h"

#include <cstring>
#include <utility>

#include "intake/wirenumber.h"

namespace kurvex {

namespace {
constexpr std::uint8_t kCR = 13, kLF = 10;

/// Any line end shows that the bytes are read right.
inline void LineEnded(TIntakeState& s) {
  s.UnendedSinceNs.reset();
  s.NoLineEnd = false;
}

/// Position of the first of `a` or `b` from `i` on, or `count`.
std::size_t Find(const std::uint8_t* bytes, std::size_t i, std::size_t count, std::uint8_t a, std::uint8_t b) {
  while (i < count && bytes[i] != a && bytes[i] != b) ++i;
  return i;
}
}  // namespace

inline void TLineAssembler::Append(const std::uint8_t* bytes, std::size_t count) {
  if (m_discarding) return;
  if (m_pending.size() + count > kMaxPendingLine) {
    m_pending.clear();
    m_pending.shrink_to_fit();
    m_discarding = true;
    return;
  }
  m_pending.append(reinterpret_cast<const char*>(bytes), count);
}

void TLineAssembler::StartAcquisition(TIntakeState& s) {
  s.LineEnd = leUndecided;
  m_votes = {};
  // A CR just received stays pending: the next byte still tells what it ended.
  if (m_at == asAfterLf) m_at = asInLine;
}

void TLineAssembler::Assemble(TIntakeState& s, const std::uint8_t* bytes, std::size_t count,
                              const LineHandler& onLine) {
  std::size_t i = 0;
  while (i < count) {
    switch (s.LineEnd) {
      case leCrLf: i = CutAtCrLf(s, bytes, i, count, onLine); break;
      case leLf: i = CutAt(kLF, s, bytes, i, count, onLine); break;
      case leCr: i = CutAt(kCR, s, bytes, i, count, onLine); break;
      case leUndecided: i = Detect(s, bytes, i, count, onLine); break;
    }
  }
}

std::size_t TLineAssembler::CutAtCrLf(TIntakeState& s, const std::uint8_t* bytes, std::size_t i, std::size_t count,
                                      const LineHandler& onLine) {
  while (i < count) {
    if (m_at == asAfterCr) {
      const std::uint8_t b = bytes[i++];
      m_at = asInLine;
      if (b == kLF)
        EndLine(s.LineEnd, s, onLine);
      else
        Append(&b, 1);
      continue;
    }
    // Runs of ordinary bytes are copied at once, up to the next CR.
    const void* cr = std::memchr(bytes + i, kCR, count - i);
    const std::size_t end = cr ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(cr) - bytes) : count;
    if (end > i) Append(bytes + i, end - i);
    if (cr) m_at = asAfterCr;
    i = cr ? end + 1 : count;
  }
  return count;
}

std::size_t TLineAssembler::CutAt(std::uint8_t end, TIntakeState& s, const std::uint8_t* bytes, std::size_t i,
                                  std::size_t count, const LineHandler& onLine) {
  while (i < count) {
    const void* hit = std::memchr(bytes + i, end, count - i);
    const std::size_t stop = hit ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - bytes) : count;
    if (stop > i) Append(bytes + i, stop - i);
    if (!hit) break;
    i = stop + 1;
    EndLine(s.LineEnd, s, onLine);
  }
  return count;
}

std::size_t TLineAssembler::Detect(TIntakeState& s, const std::uint8_t* bytes, std::size_t i, std::size_t count,
                                   const LineHandler& onLine) {
  while (i < count && s.LineEnd == leUndecided) {
    if (m_at == asAfterCr) {
      m_at = asInLine;
      if (bytes[i] == kLF) {
        ++i;
        EndUndecided(leCrLf, s, onLine);
      } else {
        EndUndecided(leCr, s, onLine);  // the byte after the CR starts the next line
      }
      continue;
    }
    if (m_at == asAfterLf) {
      m_at = asInLine;
      if (bytes[i] == kCR) {
        ++i;  // LF CR is one line end
        continue;
      }
    }
    const std::size_t stop = Find(bytes, i, count, kCR, kLF);
    if (stop > i) Append(bytes + i, stop - i);
    if (stop == count) return count;
    i = stop + 1;
    if (bytes[stop] == kCR) {
      m_at = asAfterCr;
    } else {
      m_at = asAfterLf;
      EndUndecided(leLf, s, onLine);
    }
  }
  return i;
}

void TLineAssembler::EndUndecided(TLineEnd kind, TIntakeState& s, const LineHandler& onLine) {
  const bool first = m_votes == decltype(m_votes){};
  if (first && kind != leCrLf && !m_discarding && TrimControlBytes(m_pending).empty()) {
    m_pending.clear();
    LineEnded(s);
    return;
  }
  if (++m_votes[kind] == 2) {
    s.LineEnd = kind;
    m_at = asInLine;  // decided, a CR after this LF is the next line's byte
  }
  EndLine(kind, s, onLine);
}

inline void TLineAssembler::EndLine(TLineEnd end, TIntakeState& s, const LineHandler& onLine) {
  LineEnded(s);
  m_lastEnd = end;
  // An over-long line still is a line: the instrument sent it, so it keeps
  // its sample number and counts as bad, though its text is gone.
  m_tooLong = std::exchange(m_discarding, false);
  m_line.swap(m_pending);
  m_pending.clear();
  onLine(m_line);
}

}  // namespace kurvex
