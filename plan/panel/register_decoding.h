#pragma once
// A whole register set at once: written to the chip, decoded into the value
// variables and shown on the panel.

#include <functional>
#include <optional>

#include "chip/registers.h"
#include "model/write_path.h"

namespace qv {

// The register table's defaults everywhere.
void LoadDefaultRegisters();
// The setup image everywhere.
void ApplyRegistersToPanel();
// Any image everywhere, as ApplyRegistersToPanel applies the setup image (the
// same transfers online); the setup image stays. Pins and reference settings
// stay too.
void ApplyRegisterImage(const RegisterImage& registers);
// An image (the chip's, read back) into the register variables, decoded and
// shown on the panel exactly as ApplyRegistersToPanel shows it; nothing is
// sent and the setup image stays. Pins and reference settings stay too.
void ShowRegisterImage(const RegisterImage& registers);

// What a whole-set operation put on the panel and, online, how its write went:
// every transfer counted, so a chip left partly programmed can be told apart
// from one that missed nothing.
// Image: shown only (a read-back); Restored: applied by ApplyRegisterImage.
enum class WholeSet { Defaults, SetupImage, Image, Restored };
struct WholeSetChange {
  WholeSet set;
  int transfers = 0;
  int reached = 0;
  std::optional<Transfer> firstFailure;
  bool PartlyProgrammed() const { return firstFailure.has_value(); }
};
// Told after each of the three, once the panel shows the new set.
using WholeSetListener = std::function<void(const WholeSetChange&)>;
int AddWholeSetListener(WholeSetListener listener);
void RemoveWholeSetListener(int id);

// While a whole set goes to the chip (online only): how many of its steps
// (each transfer, and the acquisition's pause) are done; (0, steps) first.
using WholeSetProgressListener = std::function<void(int done, int steps)>;
int AddWholeSetProgressListener(WholeSetProgressListener listener);
void RemoveWholeSetProgressListener(int id);

// Both kinds of listeners.
void ClearWholeSetListeners();

}  // namespace qv
