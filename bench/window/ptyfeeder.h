// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <string>

#include "tools/pty/pseudoterminal.h"

namespace kurvex::bench {

/// What one feeding sent.
struct FeedResult {
  long long Lines = 0;
  double Seconds = 0;
  bool Stalled = false;  ///< the pty took nothing for seconds
};

/// What one answering run did.
struct AnswerResult {
  long long Queries = 0;  ///< command lines received
  long long Answers = 0;  ///< answer lines written
};

/// A pseudo-terminal that plays the instrument: lines of `values` numbers
/// ("nnn.n;nnn.n" CR LF, 7 bytes for one value) written to the master side
/// at a steady rate or as fast as it takes.
class PtyFeeder {
 public:
  explicit PtyFeeder(int values = 1);
  PtyFeeder(const PtyFeeder&) = delete;
  PtyFeeder& operator=(const PtyFeeder&) = delete;

  /// The device the program opens.
  const std::string& SlavePath() const { return m_pty.SlavePath(); }
  /// Sends `lines` lines, `rate` per second (0: as fast as the pty takes).
  FeedResult Feed(long long lines, double rate);
  /// Sends as fast as the pty takes until `keepOn` turns false.
  FeedResult Flood(const std::atomic<bool>& keepOn);
  /// Plays an instrument that speaks only when asked, for `seconds`: each
  /// command line gets one line of values, `delayMs` after the command or
  /// after the previous answer, whichever is later.
  AnswerResult Answer(double seconds, int delayMs);

 private:
  /// Writes all of `count` lines; false when the pty stalls or, with
  /// `keepOn`, once it turns false.
  bool WriteLines(long long count, const std::atomic<bool>* keepOn = nullptr);

  void FormatLine(long long index, char* out) const;

  int m_values;
  std::size_t m_lineBytes;
  TPseudoTerminal m_pty;  // its slave stays open, so the master stays writable when the program closes
  long long m_sent = 0;
};

}  // namespace kurvex::bench
