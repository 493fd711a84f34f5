#pragma once
// The File menu's setup-file and export items.

#include <span>

#include "ui/callback_registry.h"

namespace qv {

// Every callback of this layer under the names the panel definitions use.
std::span<const CallbackBinding> FilesCallbacks();

}  // namespace qv
