// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/recordingdialogs.h"

#include "tests/support/waituntil.h"

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

std::optional<std::size_t> RecordingChoiceDialogs::Choose(const std::string& caption, const std::string& label,
                                                          const std::vector<std::string>& items) {
  Calls.push_back({caption, label, items});
  if (Answers.empty()) return 0;
  const std::optional<std::size_t> answer = Answers.front();
  Answers.pop_front();
  return answer;
}

bool RecordingProgressWindows::Wait(const std::string&, const std::string& text, const std::function<double()>&,
                                    const std::function<bool()>& done) {
  Texts.push_back(text);
  const bool cancel = !Cancels.empty() && Cancels.front();
  if (!Cancels.empty()) Cancels.pop_front();
  if (cancel) return false;
  return test::WaitUntil(done);
}

ScopedRecordingDialogs::ScopedRecordingDialogs() {
  auto boxes = std::make_unique<RecordingMessageBoxes>();
  auto files = std::make_unique<RecordingFileDialogs>();
  auto choices = std::make_unique<RecordingChoiceDialogs>();
  auto progress = std::make_unique<RecordingProgressWindows>();
  m_boxes = boxes.get();
  m_files = files.get();
  m_choices = choices.get();
  m_progress = progress.get();
  m_previousBoxes = SetMessageBoxes(std::move(boxes));
  m_previousFiles = SetFileDialogs(std::move(files));
  m_previousChoices = SetChoiceDialogs(std::move(choices));
  m_previousProgress = SetProgressWindows(std::move(progress));
}

ScopedRecordingDialogs::~ScopedRecordingDialogs() {
  SetMessageBoxes(std::move(m_previousBoxes));
  SetFileDialogs(std::move(m_previousFiles));
  SetChoiceDialogs(std::move(m_previousChoices));
  SetProgressWindows(std::move(m_previousProgress));
}

}  // namespace kurvex
