#pragma once
// The program run from the command line: the headless front end stands in for
// the screen, and every step is what a user does on the panel and its menus.

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "cli/chip_failure.h"
#include "model/write_path.h"
#include "plan/panel/register_decoding.h"
#include "ui/headless/headless_front_end.h"

namespace qv::cli {

class CliSession {
 public:
  // CommandLine: "qv3380: FILE: what happened", the file the command was at;
  // Python: the program's own words, for the module's exceptions.
  enum class Voice { CommandLine, Python };

  // Popup messages and file notes go to `messages`, one per line; the
  // program's pauses (the connection check, the chip's settling) are handed
  // to `pause`.
  CliSession(std::ostream& messages, std::function<void(double)> pause,
             Voice voice = Voice::CommandLine);
  ~CliSession();
  CliSession(const CliSession&) = delete;
  CliSession& operator=(const CliSession&) = delete;

  // Starts the program and picks the mode on the start-up popup; online the
  // connection button is pressed too. False when the chip did not answer.
  bool Start(bool online);
  // Offline, for commands that only read the chip; false when it does not
  // answer the connection check's read.
  bool StartReadingChip();

  // File > Open Setup..., Save Setup As... and Export JSON... with the path
  // chosen; false when the program showed an error.
  bool Open(const std::string& path);
  bool SaveAs(const std::string& path);
  bool ExportJson(const std::string& path);
  // What those two would write, for standard output: the setup image is
  // captured first, as a save does.
  std::string SetupFileText();
  std::string JsonDefinitionText();

  // The first failed chip write of the session, if one failed.
  std::optional<Transfer> FirstChipWriteFailure() const;
  // The last transfer with the chip: after a start that failed, the
  // connection check's read.
  const std::optional<Transfer>& LastTransfer() const { return lastTransfer_; }
  // A whole-set write that did not all reach the chip, if one was made.
  const std::optional<WholeSetChange>& PartialWholeSetWrite() const { return partialWrite_; }
  // What qv3380 says of those two after a command: the first failed write
  // and why it failed, then how much of a whole set reached the chip, a line
  // each; empty when every write reached it.
  std::string ChipWriteFailureText() const;
  // Which transfer failed and why (asked of the adapter now), as a line.
  std::string ChipFailureText(const Transfer& failed) const;
  // Why a Start or StartReadingChip that failed did: its connection check.
  std::string StartFailureText() const;

 private:
  bool ChooseWithFile(int menuItem, const std::string& path);
  // A line in the session's voice about `subject` (a file or an adapter).
  std::string Said(const std::string& subject, const std::string& text) const;
  // Why a transfer failed, asked of the adapter now, and traced.
  ChipComplaint Described(const Transfer& failed) const;

  Voice voice_;
  std::string subject_;  // the file of the menu item being chosen
  HeadlessFrontEnd ui_;
  int observer_ = 0;
  int wholeSetListener_ = 0;
  int fileNoteListener_ = 0;
  std::optional<WholeSetChange> partialWrite_;
  std::optional<Transfer> firstWriteFailure_;
  std::optional<Transfer> lastTransfer_;
};

}  // namespace qv::cli
