// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <string>

class QObject;

namespace kurvex {

/// Makes a text when it is needed; small captures keep it free of allocation.
using TTextSource = std::function<std::string()>;

/// A text that may change far more often than the screen can show it (a
/// sample count, the newest value): the value is stored at once and handed
/// to the widget at a frame of the frame clock (TFrameRider), at most every
/// 90 ms and, while other frames come (the chart's, the busy indicator's),
/// with one of them within 140 ms, so thousands of changes a second cost a
/// string copy each and reach the screen together with the chart's picture.
/// GUI thread only.
class TDeferredText {
 public:
  /// `apply` puts the text into the widget; it runs only while `context`
  /// (the widget) exists.
  TDeferredText(QObject* context, std::function<void(const std::string&)> apply);
  ~TDeferredText();
  TDeferredText(const TDeferredText&) = delete;
  TDeferredText& operator=(const TDeferredText&) = delete;

  const std::string& Text() const;
  void Set(const std::string& text);
  /// Like Set, but the text is made only when it is read or shown, so a
  /// value that changes per sample is formatted at most once per refresh.
  void SetSource(TTextSource source);

 private:
  struct State;
  std::unique_ptr<State> m_state;
};

}  // namespace kurvex
