#pragma once
// Program-wide state that every layer consults.

namespace qv {

inline constexpr int OPMODE_UNCHOSEN = -1;
inline constexpr int OPMODE_OFFLINE = 0;
inline constexpr int OPMODE_ONLINE = 1;

// -1 until a mode is chosen, then 0 (Offline) or 1 (Online). Chip access is
// allowed whenever it is not 0.
inline int OpMode = OPMODE_UNCHOSEN;

inline int panelHandle = 0;
inline int startupPanelHandle = 0;

// The model as at process start: every register and value variable and the
// setup image 0, no mode, no panels, nobody observing transfers.
void ResetModelState();

}  // namespace qv
