// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/filedialogs.h"

#include <QDir>
#include <QFileDialog>

#include <algorithm>
#include <vector>

namespace kurvex {

namespace {

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> Split(const std::string& s, const std::string& separators) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : s) {
    if (separators.find(c) != std::string::npos) {
      parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  parts.push_back(part);
  return parts;
}

void AddPatterns(std::vector<std::string>& patterns, const std::string& list) {
  for (const std::string& raw : Split(list, "; ")) {
    const std::string pattern = Trim(raw);
    if (!pattern.empty() && std::find(patterns.begin(), patterns.end(), pattern) == patterns.end()) {
      patterns.push_back(pattern);
    }
  }
}

std::string QtFilterEntry(const std::string& description, const std::string& patternList) {
  std::string name = Trim(description);
  std::vector<std::string> patterns;
  // The description often names the patterns itself, "Kurvex Files (*.kvx)".
  const auto open = name.rfind('(');
  if (!name.empty() && name.back() == ')' && open != std::string::npos) {
    const std::string inner = name.substr(open + 1, name.size() - open - 2);
    std::vector<std::string> named;
    AddPatterns(named, inner);
    const bool allPatterns = std::all_of(named.begin(), named.end(), [](const std::string& p) {
      return p.find_first_of("*?") != std::string::npos;
    });
    if (allPatterns) {
      patterns = named;
      name = Trim(name.substr(0, open));
    }
  }
  AddPatterns(patterns, patternList);
  if (patterns.empty()) patterns.push_back("*");
  std::string entry = name + " (";
  for (std::size_t i = 0; i < patterns.size(); ++i) entry += (i ? " " : "") + patterns[i];
  return entry + ")";
}

QString StartFolder(const std::string& initialDir) {
  // Folders of other systems ("C:\") do not exist here; start where we are.
  const QString dir = QString::fromStdString(initialDir);
  return !dir.isEmpty() && QDir(dir).exists() ? dir : QDir::currentPath();
}

std::optional<FileChoice> RunDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(nullptr, QString::fromStdString(request.Title), StartFolder(request.InitialDir));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.OverwritePrompt);
  const std::string filter = ToQtFilter(request.Filter);
  if (!filter.empty()) dialog.setNameFilters(QString::fromStdString(filter).split(";;"));
  std::string extension = request.DefaultExt;
  if (!extension.empty() && extension.front() == '.') extension.erase(0, 1);
  // The dialog adds the extension itself, before it checks for an existing
  // file, so the overwrite prompt sees the name that will be written.
  dialog.setDefaultSuffix(QString::fromStdString(extension));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FileChoice{dialog.selectedFiles().constFirst().toStdString(),
                    std::max<int>(0, static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter())))};
}

std::unique_ptr<FileDialogs>& Slot() {
  static std::unique_ptr<FileDialogs> slot = std::make_unique<QtFileDialogs>();
  return slot;
}

}  // namespace

std::string ToQtFilter(const std::string& classic) {
  if (Trim(classic).empty()) return {};
  const std::vector<std::string> parts = Split(classic, "|");
  std::string result;
  for (std::size_t i = 0; i < parts.size(); i += 2) {
    if (!result.empty()) result += ";;";
    result += QtFilterEntry(parts[i], i + 1 < parts.size() ? parts[i + 1] : std::string());
  }
  return result;
}

std::optional<std::string> QtFileDialogs::Open(const FileDialogRequest& request) {
  const std::optional<FileChoice> choice = RunDialog(request, QFileDialog::AcceptOpen);
  return choice ? std::optional(choice->FileName) : std::nullopt;
}

std::optional<std::string> QtFileDialogs::Save(const FileDialogRequest& request) {
  const std::optional<FileChoice> choice = RunDialog(request, QFileDialog::AcceptSave);
  return choice ? std::optional(choice->FileName) : std::nullopt;
}

std::optional<FileChoice> QtFileDialogs::SaveChoosingFilter(const FileDialogRequest& request) {
  return RunDialog(request, QFileDialog::AcceptSave);
}

FileDialogs& TheFileDialogs() { return *Slot(); }

std::unique_ptr<FileDialogs> SetFileDialogs(std::unique_ptr<FileDialogs> dialogs) {
  auto previous = std::move(Slot());
  Slot() = dialogs ? std::move(dialogs) : std::make_unique<QtFileDialogs>();
  return previous;
}

}  // namespace kurvex
