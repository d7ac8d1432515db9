#pragma once

#include <string>

#include "platform/error.h"

namespace kurvex {

/// A graph file (or chart export) that could not be written or read.
class EGraphFileError : public EFileError {
 public:
  using EFileError::EFileError;
};

}  // namespace kurvex
