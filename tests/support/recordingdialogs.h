// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/windows/choicedialogs.h"
#include "platform/windows/filedialogs.h"
#include "platform/windows/messageboxes.h"
#include "platform/windows/progresswindows.h"

namespace kurvex {

/// A message box that was asked for.
struct MessageBoxCall {
  std::string Text;
  std::string Caption;
  MessageIcon Icon;
  MessageButtons Buttons;
  friend bool operator==(const MessageBoxCall&, const MessageBoxCall&) = default;
};

/// Stand-in for tests: records every box and answers from a script.
class RecordingMessageBoxes : public MessageBoxes {
 public:
  MessageResult Show(const std::string& text, const std::string& caption, MessageIcon icon,
                     MessageButtons buttons) override;

  std::vector<MessageBoxCall> Calls;
  /// The next answers, first one first; when empty the first button is
  /// pressed (Ok, or Yes).
  std::deque<MessageResult> Answers;
  /// Runs while a box "is open", after it was recorded: what the user does
  /// in the other windows meanwhile.
  std::function<void()> WhileShown;
};

enum class FileDialogKind : std::uint8_t { Open, Save };

/// A file dialog that was asked for.
struct FileDialogCall {
  FileDialogKind Kind;
  FileDialogRequest Request;
  friend bool operator==(const FileDialogCall&, const FileDialogCall&) = default;
};

/// Stand-in for tests: records every dialog and answers from a script.
class RecordingFileDialogs : public FileDialogs {
 public:
  std::optional<std::string> Open(const FileDialogRequest& request) override;
  std::optional<std::string> Save(const FileDialogRequest& request) override;
  /// Recorded as a Save; the path comes from Answers, the filter from FilterAnswers.
  std::optional<FileChoice> SaveChoosingFilter(const FileDialogRequest& request) override;

  std::vector<FileDialogCall> Calls;
  /// The next answers (a path, or nullopt for Cancel); when empty the user cancels.
  std::deque<std::optional<std::string>> Answers;
  /// The filters selected in the next SaveChoosingFilter dialogs; when empty the first.
  std::deque<int> FilterAnswers;

 private:
  std::optional<std::string> Answer(FileDialogKind kind, const FileDialogRequest& request);
};

/// A choice that was asked for.
struct ChoiceCall {
  std::string Caption;
  std::string Label;
  std::vector<std::string> Items;
};

/// Stand-in for tests: records every choice and answers from a script.
class RecordingChoiceDialogs : public ChoiceDialogs {
 public:
  std::optional<std::size_t> Choose(const std::string& caption, const std::string& label,
                                    const std::vector<std::string>& items) override;

  std::vector<ChoiceCall> Calls;
  /// The next answers (an index, or nullopt for Cancel); when empty the first item.
  std::deque<std::optional<std::size_t>> Answers;
};

/// Stand-in for tests: waits without a window, records what it showed, and
/// cancels when told to.
class RecordingProgressWindows : public ProgressWindows {
 public:
  bool Wait(const std::string& caption, const std::string& text, const std::function<double()>& fraction,
            const std::function<bool()>& done) override;

  std::vector<std::string> Texts;
  /// The next waits the user cancels at once (true) or lets finish; when empty, finish.
  std::deque<bool> Cancels;
};

/// Installs recording message boxes, file dialogs, choices and progress windows as the process-wide
/// ones for its lifetime and puts the previous ones back afterwards.
class ScopedRecordingDialogs {
 public:
  ScopedRecordingDialogs();
  ~ScopedRecordingDialogs();
  ScopedRecordingDialogs(const ScopedRecordingDialogs&) = delete;
  ScopedRecordingDialogs& operator=(const ScopedRecordingDialogs&) = delete;

  RecordingMessageBoxes& Boxes() { return *m_boxes; }
  RecordingFileDialogs& Files() { return *m_files; }
  RecordingChoiceDialogs& Choices() { return *m_choices; }
  RecordingProgressWindows& Progress() { return *m_progress; }

 private:
  RecordingMessageBoxes* m_boxes;  // owned by the process-wide slot while installed
  RecordingFileDialogs* m_files;
  RecordingChoiceDialogs* m_choices;
  RecordingProgressWindows* m_progress;
  std::unique_ptr<MessageBoxes> m_previousBoxes;
  std::unique_ptr<FileDialogs> m_previousFiles;
  std::unique_ptr<ChoiceDialogs> m_previousChoices;
  std::unique_ptr<ProgressWindows> m_previousProgress;
};

}  // namespace kurvex
