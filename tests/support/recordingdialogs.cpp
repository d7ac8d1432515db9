// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/recordingdialogs.h"

namespace kurvex {

MessageResult RecordingMessageBoxes::Show(const std::string& text, const std::string& caption,
                                          MessageIcon icon, MessageButtons buttons) {
  Calls.push_back({text, caption, icon, buttons});
  if (WhileShown) WhileShown();
  if (Answers.empty()) return buttons == MessageButtons::YesNo ? MessageResult::Yes : MessageResult::Ok;
  const MessageResult answer = Answers.front();
  Answers.pop_front();
  return answer;
}

std::optional<std::string> RecordingFileDialogs::Open(const FileDialogRequest& request) {
  return Answer(FileDialogKind::Open, request);
}

std::optional<std::string> RecordingFileDialogs::Save(const FileDialogRequest& request) {
  return Answer(FileDialogKind::Save, request);
}

std::optional<FileChoice> RecordingFileDialogs::SaveChoosingFilter(const FileDialogRequest& request) {
  const std::optional<std::string> name = Answer(FileDialogKind::Save, request);
  int filter = 0;
  if (!FilterAnswers.empty()) {
    filter = FilterAnswers.front();
    FilterAnswers.pop_front();
  }
  return name ? std::optional(FileChoice{*name, filter}) : std::nullopt;
}

std::optional<std::string> RecordingFileDialogs::Answer(FileDialogKind kind,
                                                        const FileDialogRequest& request) {
  Calls.push_back({kind, request});
  if (Answers.empty()) return std::nullopt;
  std::optional<std::string> answer = Answers.front();
  Answers.pop_front();
  return answer;
}

ScopedRecordingDialogs::ScopedRecordingDialogs() {
  auto boxes = std::make_unique<RecordingMessageBoxes>();
  auto files = std::make_unique<RecordingFileDialogs>();
  m_boxes = boxes.get();
  m_files = files.get();
  m_previousBoxes = SetMessageBoxes(std::move(boxes));
  m_previousFiles = SetFileDialogs(std::move(files));
}

ScopedRecordingDialogs::~ScopedRecordingDialogs() {
  SetMessageBoxes(std::move(m_previousBoxes));
  SetFileDialogs(std::move(m_previousFiles));
}

}  // namespace kurvex
