#pragma once
// The callbacks of reading the chip back, verifying it, the register map,
// the exports for firmware and the comparison with a setup file.

#include <span>

#include "ui/callback_registry.h"

namespace qv {

std::span<const CallbackBinding> HandoffCallbacks();

}  // namespace qv
