// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace qel {

// This computer's network name (Windows: GetComputerNameA, else gethostname); empty text
// when the system does not tell it.
std::string GetComputerName();

}  // namespace qel
