// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/windows/filedialogs.h"
#include "platform/windows/messageboxes.h"

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

/// Installs recording message boxes and file dialogs as the process-wide
/// ones for its lifetime and puts the previous ones back afterwards.
class ScopedRecordingDialogs {
 public:
  ScopedRecordingDialogs();
  ~ScopedRecordingDialogs();
  ScopedRecordingDialogs(const ScopedRecordingDialogs&) = delete;
  ScopedRecordingDialogs& operator=(const ScopedRecordingDialogs&) = delete;

  RecordingMessageBoxes& Boxes() { return *m_boxes; }
  RecordingFileDialogs& Files() { return *m_files; }

 private:
  RecordingMessageBoxes* m_boxes;  // owned by the process-wide slot while installed
  RecordingFileDialogs* m_files;
  std::unique_ptr<MessageBoxes> m_previousBoxes;
  std::unique_ptr<FileDialogs> m_previousFiles;
};

}  // namespace kurvex
