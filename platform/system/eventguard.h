// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>

#include "platform/system/error.h"

namespace kurvex {

/// Runs a handler that the event loop calls (a user click, a paint, a posted
/// call). An error escaping it is shown through the application's error
/// report and the handler ends there, as an unhandled error in a user
/// action does; it must not unwind through the toolkit's event delivery.
template <class Handler>
void RunReportingErrors(Handler&& handler) {
  try {
    handler();
  } catch (const EKurvexError& error) {
    ReportError(error);
  } catch (const std::exception& error) {
    ReportError(EKurvexError(error.what()));
  } catch (...) {
    ReportError(EKurvexError("Unbekannter Fehler"));
  }
}

}  // namespace kurvex
