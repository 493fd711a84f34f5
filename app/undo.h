#pragma once
// Edit > Undo and Redo. Every action of the user's that changed the
// configuration (registers, pins, reference settings) is one step: a commit,
// a dialog's Apply, a load, a reset, a read-back. Undoing commits commits the
// previous values through the same handlers, so online the chip follows; a
// step that replaced the configuration as a whole is taken back as a whole.
// The setup image is never touched.

#include <cstddef>
#include <string>

namespace qv {

inline constexpr std::size_t UNDO_STEPS_KEPT = 500;

// Forgets every step and follows the user's actions; again after a restart.
void StartUndo();
// Forgets every step and follows nothing, as at process start.
void StopUndo();

// False when there is nothing to undo or redo.
bool Undo();
bool Redo();
// "Undo PLL1 feedback divider N, map 1: 100 -> 102"; empty when there is nothing.
std::string UndoText();
std::string RedoText();

void OnEditUndoMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
void OnEditRedoMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);

}  // namespace qv
