#pragma once
// The baseline: the configuration as it stood after the last load, save,
// read-back or reset to defaults (registers, pins and reference settings),
// against which "changed" and "unsaved" are judged. Kept here, once.
//
// Set by: the start of the program, File > Open Setup..., Save Setup As...,
// Reset To Last Setup File, Export JSON... (it refreshes the setup image as a
// save does), Reset To Defaults and the Reset DUT button, Read From Chip.
// Exports for firmware and comparisons leave it alone.

#include <array>
#include <functional>
#include <string>

#include "files/setup_contents.h"

namespace qv {

enum class BaselineOrigin { Start, Defaults, SetupFile, Saved, JsonExport, Chip };

struct BaselineSnapshot {
  SetupContents setup;
  BaselineOrigin origin = BaselineOrigin::Start;
  std::string path;  // the file loaded, saved or exported; empty otherwise
};

const BaselineSnapshot& Baseline();

// The configuration now becomes the baseline.
void SetBaselineToCurrent(BaselineOrigin origin, std::string path = "");
// After Reset To Last Setup File: the baseline comes from where the setup image came from.
void SetBaselineToLastSetupImage();

// C0's look-ahead bit, which the tool sets itself online, is no change.
bool DiffersFromBaseline();
std::array<bool, REGISTER_COUNT> RegistersChangedSinceBaseline();

// "loading board.stp", "the reset to defaults", "reading the chip"
std::string BaselineEvent();
// Where the configuration now comes from, for an export's header: the file
// while nothing changed since it was loaded or saved.
std::string ConfigurationSource();

// Told whenever the baseline is set.
int AddBaselineListener(std::function<void()> listener);
void RemoveBaselineListener(int id);

// Takes the start configuration and follows every reset to defaults; again after a restart.
void StartBaseline();

}  // namespace qv
