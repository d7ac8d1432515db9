// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/instancerequest.h"

namespace kurvex {

namespace {

constexpr std::string_view kActivateLine = "activate\n";
// "4096" has four digits; one more is already too many.
constexpr std::size_t kMaxDigits = 5;

enum class TNumberLine : std::uint8_t { Missing, Invalid, Read };

// A decimal number and its '\n' at `at`: on Read, `at` moves past them.
TNumberLine ReadNumberLine(std::string_view text, std::size_t& at, std::size_t& value) {
  const std::string_view rest = text.substr(at, kMaxDigits + 1);
  const std::size_t end = rest.find('\n');
  const std::string_view digits = rest.substr(0, end);
  if (digits.size() > kMaxDigits || digits.find_first_not_of("0123456789") != std::string_view::npos)
    return TNumberLine::Invalid;
  if (end == std::string_view::npos) return TNumberLine::Missing;
  if (digits.empty()) return TNumberLine::Invalid;
  value = 0;
  for (const char digit : digits) value = value * 10 + static_cast<std::size_t>(digit - '0');
  at += end + 1;
  return TNumberLine::Read;
}

}  // namespace

std::string ActivationRequest(const std::vector<std::string>& arguments) {
  std::string request(kActivateLine);
  if (arguments.empty() || arguments.size() > kMaxHandedArguments) return request;
  request += std::to_string(arguments.size()) + "\n";
  for (const std::string& argument : arguments) {
    if (argument.size() > kMaxHandedArgumentBytes) return std::string(kActivateLine);
    request += std::to_string(argument.size()) + "\n" + argument;
  }
  return request;
}

TActivationRequest ReadActivationRequest(std::string_view received) {
  TActivationRequest request;
  if (!received.starts_with(kActivateLine)) {
    if (!kActivateLine.starts_with(received)) request.Status = TActivationRequest::Invalid;
    return request;
  }
  request.Activate = true;
  std::size_t at = kActivateLine.size();
  if (at == received.size()) return request;
  // Arguments: all there, still arriving, or not usable at all.
  const auto stop = [&request](TActivationRequest::TStatus status) {
    request.Status = status;
    request.Arguments.clear();
    return request;
  };
  std::size_t count = 0;
  if (const TNumberLine line = ReadNumberLine(received, at, count); line != TNumberLine::Read)
    return stop(line == TNumberLine::Missing ? TActivationRequest::Incomplete : TActivationRequest::Invalid);
  if (count == 0 || count > kMaxHandedArguments) return stop(TActivationRequest::Invalid);
  while (request.Arguments.size() < count) {
    std::size_t length = 0;
    if (const TNumberLine line = ReadNumberLine(received, at, length); line != TNumberLine::Read)
      return stop(line == TNumberLine::Missing ? TActivationRequest::Incomplete : TActivationRequest::Invalid);
    if (length > kMaxHandedArgumentBytes) return stop(TActivationRequest::Invalid);
    if (received.size() - at < length) return stop(TActivationRequest::Incomplete);
    request.Arguments.emplace_back(received.substr(at, length));
    at += length;
  }
  // Nothing may follow the last argument.
  if (at != received.size()) return stop(TActivationRequest::Invalid);
  request.Status = TActivationRequest::Complete;
  return request;
}

}  // namespace kurvex
