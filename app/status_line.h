#pragma once
// The line under the main panel, in fields: a message (hints, such as what the
// map not in use would break), the open file, the chip link (how the last
// transfer went) and the mode.

#include <string>
#include <string_view>

#include "model/write_path.h"
#include "plan/panel/register_decoding.h"

namespace qv {

// Listens to the chip transfers and to every new plan; again after a restart.
void StartStatusLine();
// Listens to nothing and forgets its notes, as at process start.
void StopStatusLine();

void ShowModeStatus(std::string_view mode);

// The file field: "board.stp", "board.stp *" with unsaved changes,
// "Untitled" while no setup file is open; the full path as its tooltip.
struct FileStatus {
  std::string text;
  std::string tooltip;
};
FileStatus OpenFileStatus();

// "Chip write failed: adapter not found"; empty for a transfer that worked.
std::string TransferFailureText(const Transfer& transfer);
// "Chip partly programmed: 19 of 44 transfers reached it (adapter not found)";
// empty when the whole set reached the chip.
std::string WholeSetWriteText(const WholeSetChange& write);
// "Programming the chip: 17 of 43", while a whole set goes to the chip.
std::string WholeSetProgressText(int done, int steps);
// A bridge result by name: "OK", "no reply from adapter", "adapter not found", ...
std::string TransferResultName(int result);

// The connection check passed: a failure from now on means the link was lost,
// and the chip field says so ("Chip link lost: write failed (adapter not
// found)"), with when and where as its tooltip.
void NoteLinkVerified();
std::string LinkLostText(const Transfer& transfer);
std::string LinkLostTooltip(const Transfer& transfer);

// What may speak in the message field, most urgent first: the field shows the
// first that has something to say. A file note (files/panel/file_notes.h)
// lasts until the user's next action.
enum class StatusNote { Chip, File, Plan, Hint };
void SetStatusNote(StatusNote note, std::string text);

}  // namespace qv
