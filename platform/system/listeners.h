// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace kurvex {

/// A listener's place in a TListeners list for as long as this object
/// lives: destroying it (or Unsubscribe) ends the calls at once, also from
/// within a call of that list. Outliving the list is harmless. Movable, not
/// copyable; an empty one subscribes to nothing.
class TSubscription {
 public:
  TSubscription() = default;
  /// Shares `subscribed` with the list, which calls the listener while it is true.
  explicit TSubscription(std::shared_ptr<bool> subscribed) : m_subscribed(std::move(subscribed)) {}
  TSubscription(TSubscription&&) noexcept = default;
  TSubscription& operator=(TSubscription&& other) noexcept {
    if (this != &other) {
      Unsubscribe();
      m_subscribed = std::move(other.m_subscribed);
    }
    return *this;
  }
  ~TSubscription() { Unsubscribe(); }

  void Unsubscribe() {
    if (m_subscribed) *m_subscribed = false;
    m_subscribed.reset();
  }

 private:
  std::shared_ptr<bool> m_subscribed;
};

/// The listeners of one event, called in the order they subscribed. Whoever
/// owns the list raises the event; others only subscribe. A listener that
/// subscribes during a call waits for the next one. Not thread-safe: the
/// owner's thread only.
template <typename... Args>
class TListeners {
 public:
  using THandler = std::function<void(Args...)>;

  [[nodiscard]] TSubscription Subscribe(THandler handler) {
    if (m_depth == 0) Compact();
    auto subscribed = std::make_shared<bool>(true);
    m_entries.push_back(std::make_unique<TEntry>(TEntry{std::move(handler), subscribed}));
    return TSubscription(std::move(subscribed));
  }

  /// Whether any listener is subscribed now.
  bool Any() const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [](const std::unique_ptr<TEntry>& entry) { return *entry->Subscribed; });
  }

  void Notify(Args... args) {
    NotifyUntil([] { return false; }, args...);
  }

  /// As Notify, but asks `done` before each listener and stops once it says
  /// so: a listener that takes the event keeps it from the later ones.
  template <typename Done>
  void NotifyUntil(const Done& done, Args... args) {
    TDepth depth(*this);
    // Entries stay in place while calls run (they are allocated one by one
    // and removed only between calls), so a handler may subscribe others.
    const std::size_t count = m_entries.size();
    for (std::size_t i = 0; i < count && !done(); ++i) {
      const TEntry& entry = *m_entries[i];
      if (*entry.Subscribed) entry.Handler(args...);
    }
  }

 private:
  struct TEntry {
    THandler Handler;
    std::shared_ptr<bool> Subscribed;
  };
  /// Counts nested calls; the outermost one removes the listeners that left.
  struct TDepth {
    explicit TDepth(TListeners& list) : m_list(list) { ++m_list.m_depth; }
    ~TDepth() {
      if (--m_list.m_depth == 0) m_list.Compact();
    }
    TListeners& m_list;
  };

  void Compact() {
    std::erase_if(m_entries, [](const std::unique_ptr<TEntry>& entry) { return !*entry->Subscribed; });
  }

  std::vector<std::unique_ptr<TEntry>> m_entries;
  int m_depth = 0;
};

}  // namespace kurvex
