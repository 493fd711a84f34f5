#pragma once
// The colours a plan is shown in, on the panel and in its pictures alike: the
// verdicts, the inactive grey and the pin groups.

namespace qv {

inline constexpr int VALIDATE_GOOD_COLOR = 0xFFFFFF;
inline constexpr int VALIDATE_WARNING_COLOR = 0xFFFF00;
inline constexpr int VALIDATE_BAD_COLOR = 0xFF0000;
inline constexpr int DISABLED_COLOR = 0xC8C8C8;

inline constexpr int MARGIN_COLOR = 0xCC33FF;
inline constexpr int REFSEL_COLOR = 0x66FFCC;
inline constexpr int SSCG_COLOR = 0xFFFF66;
inline constexpr int FADE_GREY = 0xA0A0A0;
inline constexpr int INACTIVE_TEXT_COLOR = 0x686868;
inline constexpr int INACTIVE_LABEL_COLOR = 0x808080;

// A pin group's colour when its level is not selected: one part colour, four
// parts FADE_GREY.
constexpr int FadeColor(int color) {
  int faded = 0;
  for (int shift : {16, 8, 0}) {
    const int channel = (color >> shift) & 0xFF;
    faded |= ((channel + 4 * ((FADE_GREY >> shift) & 0xFF)) / 5) << shift;
  }
  return faded;
}

}  // namespace qv
