#pragma once
// Edit > Copy Map, View > Zoom and Classic Look, Help > User Guide.

#include <span>

#include "ui/callback_registry.h"

namespace qv {

// The look chosen last time (the desktop's unless Classic Look was), with
// its check mark.
void ApplyChosenLook();

void OnEditCopyMapMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
void OnViewZoomMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
void OnViewClassicLookMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
void OnHelpUserGuideMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);

std::span<const CallbackBinding> MenuCommandCallbacks();

}  // namespace qv
