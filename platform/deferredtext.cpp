#include "platform/deferredtext.h"

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
  bool pending = false;
  std::function<void(const std::string&)> apply;
};

TDeferredText::TDeferredText(QObject* context, std::function<void(const std::string&)> apply)
    : m_state(std::make_shared<State>()), m_context(context) {
  m_state->apply = std::move(apply);
}

const std::string& TDeferredText::Text() const { return m_state->text; }

void TDeferredText::Set(const std::string& text) {
  m_state->text = text;
  if (m_state->pending) return;
  m_state->pending = true;
  // Bound to the widget: dropped if the widget goes first.
  QTimer::singleShot(kRefreshMs, m_context, [state = m_state] {
    state->pending = false;
    state->apply(state->text);
  });
}

}  // namespace kurvex
