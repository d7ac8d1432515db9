// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/setups/setuptexts.h"

#include <filesystem>

namespace kurvex {

namespace {

// "Zeile 7 (port.baudRate = 12345678)", or as much of it as is known.
std::string Where(const TSetupProblem& problem) {
  std::string text = "Zeile " + std::to_string(problem.Line);
  if (!problem.Entry.empty()) text += " (" + problem.Entry + (problem.Value.empty() ? "" : " = " + problem.Value) + ")";
  return text;
}

}  // namespace

std::string SetupTitle(const std::string& path) {
  return std::filesystem::path(path).stem().string() + " – Kurvex";
}

std::string RefusedSetupText(const std::string& path, const TSetupRead& read) {
  std::string why;
  switch (read.Refusal) {
    case TSetupRead::CutShort: why = "ist unvollständig, sie endet vorzeitig"; break;
    case TSetupRead::NewerVersion: why = "stammt von einer neueren Kurvex-Version"; break;
    default: why = "ist kein Kurvex-Messaufbau"; break;
  }
  std::string text = "Die Datei \"" + path + "\" " + why + ".";
  if (read.Refused) text += "\nNicht lesbar: " + Where(*read.Refused) + ".";
  return text + "\nDie Einstellungen des Fensters bleiben unverändert.";
}

std::string SkippedSetupText(const std::string& path, const std::vector<TSetupProblem>& skipped,
                             const std::vector<std::string>& notes) {
  std::string text = "Aus dem Messaufbau \"" + path + "\" wurde nicht alles übernommen:";
  for (const TSetupProblem& problem : skipped) text += "\n• " + Where(problem) + ": ungültiger Wert";
  for (const std::string& note : notes) text += "\n• " + note;
  return text;
}

std::string SetupWhileAcquiringText(const std::string& path) {
  return "Der Messaufbau \"" + path +
         "\" kann nicht geöffnet werden, während eine Erfassung läuft.\nBitte zuerst die Erfassung mit Stop beenden.";
}

}  // namespace kurvex
