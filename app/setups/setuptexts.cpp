// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/setups/setuptexts.h"

#include <filesystem>

#include "platform/system/translate.h"

namespace kurvex {

namespace {

// "Zeile 7 (port.baudRate = 12345678)", or as much of it as is known.
std::string Where(const TSetupProblem& problem) {
  std::string text = Fill(Tr("Setups", "Zeile %1"), {std::to_string(problem.Line)});
  if (!problem.Entry.empty()) text += " (" + problem.Entry + (problem.Value.empty() ? "" : " = " + problem.Value) + ")";
  return text;
}

}  // namespace

std::string SetupTitle(const std::string& path) {
  return std::filesystem::path(path).stem().string() + " – Kurvex";
}

std::string RefusedSetupText(const std::string& path, const TSetupRead& read) {
  std::string refusal;
  switch (read.Refusal) {
    case TSetupRead::CutShort:
      refusal = Tr("Setups", "Die Datei \"%1\" ist unvollständig, sie endet vorzeitig.");
      break;
    case TSetupRead::NewerVersion:
      refusal = Tr("Setups", "Die Datei \"%1\" stammt von einer neueren Kurvex-Version.");
      break;
    default: refusal = Tr("Setups", "Die Datei \"%1\" ist kein Kurvex-Messaufbau."); break;
  }
  std::string text = Fill(refusal, {path});
  if (read.Refused) text += "\n" + Fill(Tr("Setups", "Nicht lesbar: %1."), {Where(*read.Refused)});
  return text + "\n" + Tr("Setups", "Die Einstellungen des Fensters bleiben unverändert.");
}

std::string SkippedSetupText(const std::string& path, const std::vector<TSetupProblem>& skipped,
                             const std::vector<std::string>& notes) {
  std::string text = Fill(Tr("Setups", "Aus dem Messaufbau \"%1\" wurde nicht alles übernommen:"), {path});
  for (const TSetupProblem& problem : skipped)
    text += "\n• " + Fill(Tr("Setups", "%1: ungültiger Wert"), {Where(problem)});
  for (const std::string& note : notes) text += "\n• " + note;
  return text;
}

std::string SetupWhileAcquiringText(const std::string& path) {
  return Fill(Tr("Setups", "Der Messaufbau \"%1\" kann nicht geöffnet werden, während eine Erfassung läuft.\n"
                           "Bitte zuerst die Erfassung mit Stop beenden."),
              {path});
}

}  // namespace kurvex
