// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSocketNotifier>
#include <memory>
#include <string>

#include "bench/drivenwindow/eventcensus.h"
#include "bench/drivenwindow/framewatch.h"
#include "platform/windows/control.h"

namespace kurvex {

class TForm1;

/// Lets a benchmark drive the window as a user would, without a mouse: reads
/// commands from standard input, one per line, runs each on the GUI thread
/// between the window's events and answers on standard output:
///   start trend <n> | start normal <n>  presses Start on COM<n>; answers
///                                       "started" or "not started"
///   stop                                presses Stop; answers "stopped"
///                                       (or "running" if the port stayed open)
///   frames                              answers the chart's repaints and the
///                                       longest gap between two in ms since
///                                       the last "frames": "<count> <ms>"
///   count                               answers the sample count
///   census                              answers what woke and painted the
///                                       window since the last "census"
///                                       (TEventCensus; the first one starts
///                                       the count), then a line "end"
///   quit                                closes the window
/// The window's own loop reads the input, so no thread is left reading when
/// the window goes. Create after the window and destroy before it.
class TCommandHook : public TObject {
 public:
  explicit TCommandHook(TForm1& form);
  ~TCommandHook() override;

 private:
  void ReadInput();
  void RunCommand(const std::string& line);

  TForm1& m_form;
  std::unique_ptr<QSocketNotifier> m_input;
  std::string m_pending;  // input read past the last line end
  TFrameWatch m_frames;
  std::unique_ptr<TEventCensus> m_census;  // from the first "census" on
};

}  // namespace kurvex
