#pragma once
// Panel definitions name their callbacks; each layer registers the functions
// behind those names before the panels are loaded.

#include <span>
#include <string_view>
#include <variant>

#include "ui/toolkit.h"

namespace qv {

using AnyCallback = std::variant<CtrlCallbackPtr, PanelCallbackPtr, MenuCallbackPtr>;

struct CallbackBinding {
  std::string_view name;
  AnyCallback function;
};

void RegisterCallbacks(std::span<const CallbackBinding> bindings);
void ClearCallbackRegistry();

CtrlCallbackPtr FindCtrlCallback(std::string_view name);
PanelCallbackPtr FindPanelCallback(std::string_view name);
MenuCallbackPtr FindMenuCallback(std::string_view name);

}  // namespace qv
