// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/deferredtext.h"

#include <QObject>
#include <QPointer>

#include "platform/windows/frameclock.h"

namespace kurvex {

namespace {
// About ten texts a second, as a meter's display changes: as many as an eye
// can read, and no CPU spent on shaping and repainting texts that change
// with every sample, which at a few hundred lines a second cost more than
// the rest of the window's work.
constexpr auto kRefresh = std::chrono::milliseconds(90);
// How much longer a text may wait for a frame that comes anyway (the
// chart's, the busy indicator's every 50 ms): each frame of its own costs
// the window a wake-up and the window system an update.
constexpr auto kLongest = std::chrono::milliseconds(140);
}  // namespace

struct TDeferredText::State {
  State(QObject* context, std::function<void(const std::string&)> applyText)
      : widget(context), apply(std::move(applyText)), frame([this] { Show(); }) {}

  std::string text;
  TTextSource source;  ///< set: text is stale and made from it when read
  QPointer<QObject> widget;
  std::function<void(const std::string&)> apply;
  TFrameRider::Clock::time_point shown{};
  TFrameRider frame;

  const std::string& Current() {
    if (source) {
      text = source();
      source = nullptr;
    }
    return text;
  }

  void Schedule() {
    if (!frame.Waiting()) frame.RideFrameBetween(shown + kRefresh, shown + kLongest);
  }

  void Show() {
    shown = TFrameRider::Clock::now();
    if (widget) apply(Current());
  }
};

TDeferredText::TDeferredText(QObject* context, std::function<void(const std::string&)> apply)
    : m_state(std::make_unique<State>(context, std::move(apply))) {}

TDeferredText::~TDeferredText() = default;

const std::string& TDeferredText::Text() const { return m_state->Current(); }

void TDeferredText::Set(const std::string& text) {
  m_state->text = text;
  m_state->source = nullptr;
  m_state->Schedule();
}

void TDeferredText::SetSource(TTextSource source) {
  m_state->source = std::move(source);
  m_state->Schedule();
}

}  // namespace kurvex
