// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace kurvex {

/// What a file dialog is asked for. Filter has the classic form
/// "Kurvex Files (*.kvx)|*.KVX" (description|patterns pairs, patterns
/// separated by ';'); DefaultExt ("kvx" or ".kvx") is appended to a chosen
/// name that has no extension.
struct FileDialogRequest {
  std::string Filter;
  std::string DefaultExt;
  std::string InitialDir;
  std::string Title;             ///< empty: the dialog's own title
  bool OverwritePrompt = false;  ///< Save only: confirm replacing a file
  friend bool operator==(const FileDialogRequest&, const FileDialogRequest&) = default;
};

/// A file chosen in a save dialog, with the filter the user had selected
/// (0-based, in the order of the request's Filter): the filter may choose
/// the file's format.
struct FileChoice {
  std::string FileName;
  int FilterIndex = 0;
};

/// Open and save dialogs; both return the chosen path, or nothing when the
/// user cancels. GUI thread only.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  virtual std::optional<std::string> Open(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> Save(const FileDialogRequest& request) = 0;
  /// Save that also tells which filter was selected.
  virtual std::optional<FileChoice> SaveChoosingFilter(const FileDialogRequest& request) = 0;
};

/// The toolkit's own (not the desktop's) dialogs, application modal.
class QtFileDialogs : public FileDialogs {
 public:
  std::optional<std::string> Open(const FileDialogRequest& request) override;
  std::optional<std::string> Save(const FileDialogRequest& request) override;
  std::optional<FileChoice> SaveChoosingFilter(const FileDialogRequest& request) override;
};

/// The classic filter in the toolkit's form: "Kurvex Files (*.kvx)|*.KVX"
/// becomes "Kurvex Files (*.kvx *.KVX)"; several filters are joined by ";;".
/// Patterns already named in the description are not repeated.
std::string ToQtFilter(const std::string& classic);

/// The process-wide dialogs the program uses (QtFileDialogs unless replaced).
FileDialogs& TheFileDialogs();
/// Replaces them and returns the previous instance; null restores the default.
std::unique_ptr<FileDialogs> SetFileDialogs(std::unique_ptr<FileDialogs> dialogs);

}  // namespace kurvex
