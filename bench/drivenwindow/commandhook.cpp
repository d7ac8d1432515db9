// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/drivenwindow/commandhook.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <sstream>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

#include "app/commandline.h"
#include "app/instrument/instrumentfeature.h"
#include "app/mainwindow.h"

namespace kurvex {

namespace {

void Answer(const std::string& text) {
  std::fputs((text + "\n").c_str(), stdout);
  std::fflush(stdout);
}

// A left-button drag across the chart by dx pixels, as a hand does it.
void DragChart(QWidget* chart, int dx) {
  const QPointF from(chart->width() / 2.0, chart->height() / 2.0), to = from + QPointF(dx, 0);
  const auto send = [chart](QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, at, chart->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(chart, &event);
  };
  send(QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);  // ends the drag before
  send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseMove, from, Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

}  // namespace

TCommandHook::TCommandHook(TForm1& form) : m_form(form), m_frames(*form.Chart1->Widget()) {
  // A wake-up that finds nothing to read must not hold up the window.
  fcntl(STDIN_FILENO, F_SETFL, fcntl(STDIN_FILENO, F_GETFL) | O_NONBLOCK);
  m_input = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(m_input.get(), &QSocketNotifier::activated, [this] { ReadInput(); });
}

TCommandHook::~TCommandHook() = default;

void TCommandHook::ReadInput() {
  char buffer[4096];
  const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
  if (got < 0 && (errno == EAGAIN || errno == EINTR)) return;
  if (got <= 0) {
    m_input->setEnabled(false);  // the benchmark has gone: the window stays as it is
    return;
  }
  m_pending.append(buffer, static_cast<std::size_t>(got));
  for (std::size_t end; (end = m_pending.find('\n')) != std::string::npos;) {
    const std::string line = m_pending.substr(0, end);
    m_pending.erase(0, end + 1);
    RunCommand(line);
  }
}

void TCommandHook::RunCommand(const std::string& line) {
  std::istringstream words(line);
  std::string command, mode, port;
  words >> command >> mode >> port;
  if (command == "start") {
    m_form.ComComboBox->SetText(port);
    m_form.TrendCheckBox->SetChecked(mode == "trend");
    m_form.StartButton->Click();
    Answer(m_form.SerialComm1->Active() ? "started" : "not started");
  } else if (command == "stop") {
    m_form.StopButton->Click();
    Answer(m_form.SerialComm1->Active() ? "running" : "stopped");
  } else if (command == "frames") {
    Answer(m_frames.TakeReport());
  } else if (command == "census") {
    // The count costs every event of the window a filter call: it starts with
    // the first "census", so runs that never ask are measured without it.
    if (!m_census) m_census = std::make_unique<TEventCensus>();
    Answer(m_census->TakeReport() + "\nend");
  } else if (command == "count") {
    Answer(std::to_string(m_form.SessionState.SampleCount));
  } else if (command == "pan") {
    // "pan <dx>": drags the chart; answers where its X window starts now.
    DragChart(m_form.Chart1->Widget(), std::stoi(mode));
    Answer(std::to_string(m_form.Chart1->Scale1X().RangeLow()));
  } else if (command == "hover") {
    // "hover <x>": the pointer rests over the chart at x, no button held.
    QWidget* chart = m_form.Chart1->Widget();
    const QPointF at(std::stoi(mode), chart->height() / 2.0);
    QMouseEvent event(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(chart, &event);
    Answer("ok");
  } else if (command == "query") {
    // "query <text> <ms>": the query and its interval, as on the command line.
    m_form.ApplyCommandLine(TCommandLine{.Query = mode, .IntervalMs = static_cast<std::uint32_t>(std::stoul(port))});
    Answer("ok");
  } else if (command == "setup") {
    // "setup <path>": opens a measurement setup, as the menu does.
    Answer(m_form.OpenSetupFile(mode) ? "ok" : "refused");
  } else if (command == "monitor") {
    m_form.MonitorOeffnen->Click();
    Answer("ok");
  } else if (command == "answers") {
    // Queries without an answer, and the round trips' median, 99th percentile and maximum in µs.
    const TQueryPacer* pacer = m_form.Instrument().Pacer();
    const TQueryPacer::TRoundTrips trips = pacer ? pacer->RoundTrips() : TQueryPacer::TRoundTrips{};
    const auto us = [](const std::optional<TQueryPacer::TDuration>& d) { return std::to_string(d ? d->count() : -1); };
    Answer(std::to_string(pacer ? pacer->Missing() : 0) + " " + us(trips.Median) + " " + us(trips.Percentile99) + " " +
           us(trips.Maximum));
  } else if (command == "quit") {
    m_form.Close();
  } else {
    Answer("unknown command");
  }
}

}  // namespace kurvex
