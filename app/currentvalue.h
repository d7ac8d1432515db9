// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "intake/sampleconsumer.h"
#include "platform/windows/label.h"

namespace kurvex {

/// The current-value label (Label10): the newest scaled value in the
/// general format with the locale's decimal separator, formatted only when
/// it is shown or read.
class TCurrentValueDisplay : public TSampleConsumer {
 public:
  explicit TCurrentValueDisplay(TLabel& label) : m_label(label) {}
  void Take(const TSample& sample) override;

 private:
  TLabel& m_label;
};

}  // namespace kurvex
