#pragma once
// Edit > Copy Map 0 to Map 1 (and back): one frequency map's dividers onto
// the other's controls, as a user's commits, so online the chip follows and
// undo takes the copy back in one step.

#include <string>

namespace qv {

// Empty when every setting of `from` is now `to`'s; otherwise why nothing
// was copied (a setting the other map's controls cannot take, such as a VCO
// divider of 7 read from a file).
std::string CopyFrequencyMap(int from, int to);

}  // namespace qv
