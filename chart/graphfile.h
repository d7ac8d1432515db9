#pragma once

#include <string>

#include "platform/error.h"

namespace kurvex {

/// A graph file that could not be written or read. what() is the system's
/// reason, FileName() the file concerned.
class EGraphFileError : public EKurvexError {
 public:
  EGraphFileError(const std::string& fileName, const std::string& reason)
      : EKurvexError(reason), m_fileName(fileName) {}
  const std::string& FileName() const { return m_fileName; }

 private:
  std::string m_fileName;
};

}  // namespace kurvex
