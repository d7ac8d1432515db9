// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

class QTranslator;

namespace kurvex {

/// Qt's own texts (file dialogs and their prompts, standard buttons, the
/// edit fields' context menu) in the language of `locale`, e.g. "de_DE", or
/// of the system locale when it is empty, for as long as the object lives.
/// A language without installed translations keeps Qt's English.
/// Needs the application object; GUI thread.
class TToolkitTranslations {
 public:
  explicit TToolkitTranslations(const std::string& locale = {});
  ~TToolkitTranslations();
  TToolkitTranslations(const TToolkitTranslations&) = delete;
  TToolkitTranslations& operator=(const TToolkitTranslations&) = delete;

 private:
  std::unique_ptr<QTranslator> m_translator;  // installed while set
};

}  // namespace kurvex
