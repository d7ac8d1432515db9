#include "platform/windows/deferredtext.h"

#include <QObject>
#include <QTimer>

namespace kurvex {

namespace {
// Fast enough to follow, slow enough not to spend the CPU on repainting
// texts that change with every one of thousands of samples a second.
constexpr int kRefreshMs = 40;
}  // namespace

struct TDeferredText::State {
  std::string text;
  TTextSource source;  ///< set: text is stale and made from it when read
  bool pending = false;
  std::function<void(const std::string&)> apply;

  const std::string& Current() {
    if (source) {
      text = source();
      source = nullptr;
    }
    return text;
  }
};

TDeferredText::TDeferredText(QObject* context, std::function<void(const std::string&)> apply)
    : m_state(std::make_shared<State>()), m_context(context) {
  m_state->apply = std::move(apply);
}

const std::string& TDeferredText::Text() const { return m_state->Current(); }

void TDeferredText::Set(const std::string& text) {
  m_state->text = text;
  m_state->source = nullptr;
  Schedule();
}

void TDeferredText::SetSource(TTextSource source) {
  m_state->source = std::move(source);
  Schedule();
}

void TDeferredText::Schedule() {
  if (m_state->pending) return;
  m_state->pending = true;
  // Bound to the widget: dropped if the widget goes first.
  QTimer::singleShot(kRefreshMs, m_context, [state = m_state] {
    state->pending = false;
    state->apply(state->Current());
  });
}

}  // namespace kurvex
