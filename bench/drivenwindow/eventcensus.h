// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QRegion>

#include <map>
#include <string>

namespace kurvex {

/// Counts what wakes and what paints the window, by whom, for a profile of
/// the program's own costs: timer events by receiver, calls posted to the
/// GUI thread by receiver (the serial reader's hand-overs among them), paint
/// events by widget with the pixels they painted, and the pixels the window
/// hands the window system (the union of one update's paints). GUI thread only.
class TEventCensus : public QObject {
 public:
  TEventCensus();
  ~TEventCensus() override;
  /// One line per counted kind and receiver, "<kind> <receiver>: <count>
  /// [<pixels> px]", then "flushed: <updates> <pixels> px"; starts anew.
  std::string TakeReport();

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override;

 private:
  struct TCount {
    long long Events = 0;
    long long Pixels = 0;
  };
  void EndUpdate();

  std::map<std::string, TCount> m_counts;
  QRegion m_update;  // painted since the window's last update began, in window pixels
  long long m_updates = 0;
  long long m_flushedPixels = 0;
};

}  // namespace kurvex
