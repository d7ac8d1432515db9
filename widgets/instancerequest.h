// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kurvex {

/// What a later copy sends to the first over the single-instance socket:
///
///     activate\n                      bring the window forward
///     <count>\n                       then, only when it has arguments,
///     <length>\n<bytes>  (count times) each argument
///
/// Numbers are plain decimal; count is 1..kMaxHandedArguments, a length at
/// most kMaxHandedArgumentBytes, so a reader never holds more than a few
/// hundred kilobytes. Qt-free.
inline constexpr std::size_t kMaxHandedArguments = 64;
inline constexpr std::size_t kMaxHandedArgumentBytes = 4096;

/// The request for `arguments` (just the activation when there are none).
/// Arguments beyond the limits are not handed over: the request then only
/// activates.
std::string ActivationRequest(const std::vector<std::string>& arguments);

/// What the bytes received so far say.
struct TActivationRequest {
  enum TStatus : std::uint8_t {
    Incomplete,  ///< more may follow (after the activation line: arguments)
    Complete,    ///< the activation and all its arguments are there
    Invalid,     ///< not a request, or arguments beyond the limits: ignore the rest
  };
  TStatus Status = Incomplete;
  /// The activation line has arrived (also when the arguments after it are invalid).
  bool Activate = false;
  /// The arguments, when Complete.
  std::vector<std::string> Arguments;
};

/// Reads the bytes a connection has delivered so far, from its beginning.
TActivationRequest ReadActivationRequest(std::string_view received);

}  // namespace kurvex
