// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The coloured status label of the service windows: yellow while an operation runs (and
// at rest), green for success, red for failure.

#include <functional>
#include <string>

#include "core/service/rgb_image.h"

namespace qel {

enum class ServiceOutcome { Working, Success, Failure };

struct ServiceStatus {
  std::string text;
  ServiceOutcome outcome = ServiceOutcome::Working;
  bool operator==(const ServiceStatus&) const = default;
};

constexpr Rgb ServiceStatusColour(ServiceOutcome outcome) {
  switch (outcome) {
    case ServiceOutcome::Success:
      return {0, 255, 0};
    case ServiceOutcome::Failure:
      return {255, 0, 0};
    case ServiceOutcome::Working:
      break;
  }
  return {255, 255, 0};
}

// Called once before an operation's first line, after the status shows "working", so the
// window can show it (copy the model into its widgets and let pending events run).
using RepaintHook = std::function<void()>;

}  // namespace qel
