#pragma once
// The baseline: the configuration as it stood after the last load, save,
// read-back or reset to defaults (registers, pins and reference settings),
// against which "changed" and "unsaved" are judged. Kept here, once.
//
// Set by: the start of the program, File > Open Setup..., Save Setup As...,
// Reset To Last Setup File, Export JSON... (it refreshes the setup image as a
// save does), Reset To Defaults and the Reset DUT button, Read From Chip.
// Import Registers... (the dump is the baseline; no setup file is open after it).
// Exports for firmware and comparisons leave it alone.

#include <array>
#include <functional>
#include <string>

#include "files/setup_contents.h"

namespace qv {

// Imported: File > Import Registers..., an unsaved plan no setup file holds.
enum class BaselineOrigin { Start, Defaults, SetupFile, Saved, JsonExport, Chip, Imported };

struct BaselineSnapshot {
  SetupContents setup;
  BaselineOrigin origin = BaselineOrigin::Start;
  std::string path;  // the file loaded, saved or exported; empty otherwise
  bool operator==(const BaselineSnapshot&) const = default;
};

// Where the configuration is kept safe: the setup file it was last loaded
// from or saved to, or, with no file, what the start, a reset to defaults or
// a read-back gave (there is nothing to save then). A JSON export keeps no
// setup, and a return to the last setup file keeps neither the pins nor the
// reference: neither moves it.
struct SavedPoint {
  SetupContents setup;
  std::string file;  // empty: no setup file is open
  bool operator==(const SavedPoint&) const = default;
};

const BaselineSnapshot& Baseline();

// The configuration now becomes the baseline.
void SetBaselineToCurrent(BaselineOrigin origin, std::string path = "");
// After Reset To Last Setup File: the baseline comes from where the setup image came from.
void SetBaselineToLastSetupImage();

// C0's look-ahead bit, which the tool sets itself online, is no change.
bool DiffersFromBaseline();

const SavedPoint& LastSaved();
// The setup file open in the program: LastSaved().file.
const std::string& OpenSetupFile();
// Whether leaving now would lose something: the configuration differs from
// the last saved point (C0's look-ahead bit aside).
bool HasUnsavedChanges();

// Both, as undo takes them back to what they were before a step.
struct BaselineRecord {
  BaselineSnapshot baseline;
  SavedPoint saved;
  bool operator==(const BaselineRecord&) const = default;
};
BaselineRecord CurrentBaselineRecord();
void RestoreBaselineRecord(const BaselineRecord& record);
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
// No baseline, no saved point, no listeners: as at process start.
void ResetBaseline();

}  // namespace qv
