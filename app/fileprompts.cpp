// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/fileprompts.h"

#include "platform/system/configdir.h"
#include "platform/system/translate.h"
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

std::string FileFailureText(std::string_view failure, const std::string& fileName, const std::string& reason) {
  return Fill(failure, {fileName}) + "\n" + reason;
}

void ShowFileFailure(const std::string& text) {
  TheMessageBoxes().Show(text, "Kurvex", MessageIcon::Error, MessageButtons::Ok);
}

void ShowFileWarning(const std::string& text) {
  TheMessageBoxes().Show(text, "Kurvex", MessageIcon::Warning, MessageButtons::Ok);
}

void ShowSaveFailure(const std::string& fileName, const std::string& reason) {
  ShowFileFailure(FileFailureText(Tr("Files", "Die Datei \"%1\" konnte nicht gespeichert werden."), fileName, reason));
}

}  // namespace kurvex
