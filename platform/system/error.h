// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>

namespace kurvex {

/// Base of every error the program raises. The message is the text the user
/// sees (German where the window shows it).
class EKurvexError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// A file that could not be written or read. what() is the system's
/// reason, FileName() the file concerned.
class EFileError : public EKurvexError {
 public:
  EFileError(const std::string& fileName, const std::string& reason) : EKurvexError(reason), m_fileName(fileName) {}
  const std::string& FileName() const { return m_fileName; }

 private:
  std::string m_fileName;
};

/// The application's default error report for an error that is shown rather
/// than propagated (for example one caught on a background path). GUI thread.
using TErrorReporter = std::function<void(const EKurvexError&)>;

inline TErrorReporter& ErrorReporterSlot() {
  static TErrorReporter reporter;
  return reporter;
}

/// Installs the report, typically a message box of the main window.
inline void SetErrorReporter(TErrorReporter reporter) { ErrorReporterSlot() = std::move(reporter); }

/// Shows `error` through the installed report; without one it goes to stderr
/// so that it is never silently lost.
inline void ReportError(const EKurvexError& error) {
  if (ErrorReporterSlot()) {
    ErrorReporterSlot()(error);
  } else {
    std::fprintf(stderr, "%s\n", error.what());
  }
}

}  // namespace kurvex
