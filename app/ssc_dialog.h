#pragma once
// Tools > Spread Spectrum...: the engineer asks for a downspread and a
// modulation frequency (or PCI Express), the planner finds the steps and, where
// needed, a modulus that keeps the VCO; Apply commits them to the panel.

#include <span>

#include "ui/callback_registry.h"

namespace qv {

// Forgets what was typed: the run's first opening offers PCI Express.
void ResetSscDialog();

void OnSpreadSpectrumMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
int OnFindSscClicked(int panel, int control, int event, void* callbackData, int eventData1,
                     int eventData2);
int OnApplySscClicked(int panel, int control, int event, void* callbackData, int eventData1,
                      int eventData2);
int OnSscOkClicked(int panel, int control, int event, void* callbackData, int eventData1,
                   int eventData2);
int OnCloseSscClicked(int panel, int control, int event, void* callbackData, int eventData1,
                      int eventData2);
int OnPciExpressClicked(int panel, int control, int event, void* callbackData, int eventData1,
                        int eventData2);
int OnSscRequestEdited(int panel, int control, int event, void* callbackData, int eventData1,
                       int eventData2);
int SscPanelCallback(int panel, int event, void* callbackData, int eventData1, int eventData2);

std::span<const CallbackBinding> SscDialogCallbacks();

}  // namespace qv
