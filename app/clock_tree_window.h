#pragma once
// View > Clock Tree: a window beside the panel with the clock tree of a
// frequency map and its spread-spectrum profile, redrawn with every new plan.
// It exports the diagram as SVG and PNG; closing it only hides it.

#include <span>
#include <string>

#include "ui/callback_registry.h"

namespace qv {

inline constexpr const char* CLOCK_TREE_EXPORT_ERROR =
    "An error occurred when attempting to export the clock tree.";

// Follows every plan from now on; the window is loaded when first opened.
void StartClockTree();
// Follows nothing and forgets its window, as at process start.
void StopClockTree();
// The window's panel, 0 before it was first opened.
int ClockTreePanel();

// The main-panel control a block of the diagram of `map` shows ("pll1": its
// feedback divider N, "out2-v": OUT2's VCO divider, "out2": its output
// divider); 0 for a block no single control sets.
int ControlOfBlock(const std::string& block, int map);

void OnClockTreeMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
int OnClockTreeMapChosen(int panel, int control, int event, void* callbackData, int eventData1,
                         int eventData2);
int OnClockTreeExportClicked(int panel, int control, int event, void* callbackData, int eventData1,
                             int eventData2);
int OnClockTreeCloseClicked(int panel, int control, int event, void* callbackData, int eventData1,
                            int eventData2);
// A click on a block: the control it shows takes the focus on the main panel.
int OnClockTreeBlockClicked(int panel, int control, int event, void* callbackData, int eventData1,
                            int eventData2);
int ClockTreePanelCallback(int panel, int event, void* callbackData, int eventData1,
                           int eventData2);

std::span<const CallbackBinding> ClockTreeCallbacks();

}  // namespace qv
