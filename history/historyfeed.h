// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/history.h"
#include "intake/sampleconsumer.h"

namespace kurvex {

/// The sample path's consumer that keeps the history: appends each sample's
/// scaled values, the curves it has and the time of its batch. The history
/// numbers them on from its last; its owner clears it when an acquisition
/// starts, so they are the intake's numbers.
class THistoryFeed : public TSampleConsumer {
 public:
  explicit THistoryFeed(THistory& history) : m_history(history) {}
  void Take(const TSample& sample) override;

 private:
  THistory& m_history;
};

}  // namespace kurvex
