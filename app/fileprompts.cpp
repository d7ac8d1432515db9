// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/fileprompts.h"

#include "platform/system/configdir.h"
#include "platform/windows/messageboxes.h"

namespace kurvex {

FileDialogRequest SaveRequest(const std::string& extension, const std::string& filter,
                              const std::string& initialDir) {
  FileDialogRequest request;
  request.Filter = filter;
  request.DefaultExt = extension;
  request.InitialDir = initialDir.empty() ? HomeDirectory().string() : initialDir;
  request.OverwritePrompt = true;
  return request;
}

std::string FileFailureText(std::string_view what, const std::string& fileName, std::string_view failed,
                            const std::string& reason) {
  return std::string(what) + " \"" + fileName + "\" konnte nicht " + std::string(failed) + " werden.\n" + reason;
}

void ShowFileFailure(const std::string& text) {
  TheMessageBoxes().Show(text, "Kurvex", MessageIcon::Error, MessageButtons::Ok);
}

void ShowFileWarning(const std::string& text) {
  TheMessageBoxes().Show(text, "Kurvex", MessageIcon::Warning, MessageButtons::Ok);
}

void ShowSaveFailure(const std::string& fileName, const std::string& reason) {
  ShowFileFailure(FileFailureText("Die Datei", fileName, "gespeichert", reason));
}

}  // namespace kurvex
