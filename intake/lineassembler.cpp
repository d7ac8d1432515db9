// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/lineassembler.h"

#include <cstring>
#include <utility>

#include "intake/wirenumber.h"

namespace kurvex {

namespace {
constexpr std::uint8_t kCR = 13, kLF = 10;

inline void Append(TIntakeState& s, const std::uint8_t* bytes, std::size_t count) {
  if (s.DiscardingLine) return;
  if (s.PendingLine.size() + count > kMaxPendingLine) {
    s.PendingLine.clear();
    s.PendingLine.shrink_to_fit();
    s.DiscardingLine = true;
    return;
  }
  s.PendingLine.append(reinterpret_cast<const char*>(bytes), count);
}

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
    if (s.TerminatorPos == 2) {
      const std::uint8_t b = bytes[i++];
      s.TerminatorPos = 1;
      if (b == kLF)
        EndLine(s, onLine);
      else
        Append(s, &b, 1);
      continue;
    }
    // Runs of ordinary bytes are copied at once, up to the next CR.
    const void* cr = std::memchr(bytes + i, kCR, count - i);
    const std::size_t end = cr ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(cr) - bytes) : count;
    if (end > i) Append(s, bytes + i, end - i);
    if (cr) s.TerminatorPos = 2;
    i = cr ? end + 1 : count;
  }
  return count;
}

std::size_t TLineAssembler::CutAt(std::uint8_t end, TIntakeState& s, const std::uint8_t* bytes, std::size_t i,
                                  std::size_t count, const LineHandler& onLine) {
  while (i < count) {
    const void* hit = std::memchr(bytes + i, end, count - i);
    const std::size_t stop = hit ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - bytes) : count;
    if (stop > i) Append(s, bytes + i, stop - i);
    if (!hit) break;
    i = stop + 1;
    EndLine(s, onLine);
  }
  return count;
}

std::size_t TLineAssembler::Detect(TIntakeState& s, const std::uint8_t* bytes, std::size_t i, std::size_t count,
                                   const LineHandler& onLine) {
  while (i < count && s.LineEnd == leUndecided) {
    if (s.TerminatorPos == 2) {
      s.TerminatorPos = 1;
      if (bytes[i] == kLF) {
        ++i;
        EndUndecided(leCrLf, s, onLine);
      } else {
        EndUndecided(leCr, s, onLine);  // the byte after the CR starts the next line
      }
      continue;
    }
    if (s.AfterLineFeed) {
      s.AfterLineFeed = false;
      if (bytes[i] == kCR) {
        ++i;  // LF CR is one line end
        continue;
      }
    }
    const std::size_t stop = Find(bytes, i, count, kCR, kLF);
    if (stop > i) Append(s, bytes + i, stop - i);
    if (stop == count) return count;
    i = stop + 1;
    if (bytes[stop] == kCR) {
      s.TerminatorPos = 2;
    } else {
      s.AfterLineFeed = true;
      EndUndecided(leLf, s, onLine);
    }
  }
  return i;
}

void TLineAssembler::EndUndecided(TLineEnd kind, TIntakeState& s, const LineHandler& onLine) {
  const bool first = s.LineEndVotes == decltype(s.LineEndVotes){};
  if (first && kind != leCrLf && !s.DiscardingLine && TrimControlBytes(s.PendingLine).empty()) {
    s.PendingLine.clear();
    LineEnded(s);
    return;
  }
  if (++s.LineEndVotes[kind] == 2) {
    s.LineEnd = kind;
    s.AfterLineFeed = false;
  }
  EndLine(s, onLine);
}

inline void TLineAssembler::EndLine(TIntakeState& s, const LineHandler& onLine) {
  LineEnded(s);
  // An over-long line still is a line: the instrument sent it, so it keeps
  // its sample number and counts as bad, though its text is gone.
  s.LineTooLong = std::exchange(s.DiscardingLine, false);
  m_line.swap(s.PendingLine);
  s.PendingLine.clear();
  onLine(m_line);
}

}  // namespace kurvex
