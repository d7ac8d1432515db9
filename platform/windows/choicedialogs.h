// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kurvex {

/// A question answered by picking one of a list. GUI thread only.
class ChoiceDialogs {
 public:
  virtual ~ChoiceDialogs() = default;
  /// `caption` is the title bar's text, `label` the question over the
  /// list; the first item is preselected. The index picked, or nothing
  /// when the user cancels.
  virtual std::optional<std::size_t> Choose(const std::string& caption, const std::string& label,
                                            const std::vector<std::string>& items) = 0;
};

/// The toolkit's item dialog, application modal.
class QtChoiceDialogs : public ChoiceDialogs {
 public:
  std::optional<std::size_t> Choose(const std::string& caption, const std::string& label,
                                    const std::vector<std::string>& items) override;
};

/// The process-wide choice dialogs (QtChoiceDialogs unless replaced).
ChoiceDialogs& TheChoiceDialogs();
/// Replaces them and returns the previous instance; null restores the default.
std::unique_ptr<ChoiceDialogs> SetChoiceDialogs(std::unique_ptr<ChoiceDialogs> dialogs);

}  // namespace kurvex
