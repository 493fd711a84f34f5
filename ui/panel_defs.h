#pragma once
// The panels of the program as data: what LoadPanel builds a panel from, and
// what a front end draws. Callbacks are named here and bound at load time from
// the callback registry, so this layer knows nothing of the logic above it.

#include <span>
#include <string_view>

namespace qv {

enum class ControlKind {
  CommandButton,
  Ring,
  Numeric,
  StringBox,
  TextMessage,
  OnOffSwitch,
  ToggleButton,
  Decoration,
  Picture,
  Table,    // read-only rows under column headers; its value is the selected row
  Drawing,  // shows a picture the program hands it (a shared, unchanging Scene)
};

enum class LoadState { Enabled, Dimmed, Hidden };

// Where a control's label sits relative to its box.
enum class LabelSide { Left, Above, Right };

// How a one-line text sits in its box.
enum class TextAlign { Left, Center, Right };

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// How a control follows a window that is larger or smaller than its panel:
// the share of the difference in width and height it moves by (left, top)
// and grows by (width, height). All 0: it stays where the panel puts it.
struct Stretch {
  double left = 0.0;
  double top = 0.0;
  double width = 0.0;
  double height = 0.0;
};

struct RingItem {
  int value;
  std::string_view text;
};

struct ControlDef {
  int id = 0;
  std::string_view constant;
  ControlKind kind = ControlKind::TextMessage;
  std::string_view label;
  std::string_view callback;  // empty: none
  int initialValue = 0;
  std::string_view initialText;
  std::span<const RingItem> items;
  int minValue = 0;
  int maxValue = 0;
  int step = 1;
  // A numeric the program may set beyond its range: it then shows the value it
  // holds; what the user enters still keeps to the range.
  bool showsProgramValueBeyondRange = false;
  LoadState atLoad = LoadState::Enabled;
  Rect rect;
  LabelSide labelSide = LabelSide::Left;
  Rect labelRect;  // width 0: the front end places the label itself
  TextAlign textAlign = TextAlign::Left;
  Stretch stretch;

  constexpr ControlDef at(int left, int top, int width, int height) const {
    return at(Rect{left, top, width, height});
  }
  constexpr ControlDef at(Rect where) const {
    ControlDef copy = *this;
    copy.rect = where;
    return copy;
  }
  constexpr ControlDef labelAt(Rect where, LabelSide side = LabelSide::Left) const {
    ControlDef copy = *this;
    copy.labelRect = where;
    copy.labelSide = side;
    return copy;
  }
  constexpr ControlDef labelOn(LabelSide side) const {
    ControlDef copy = *this;
    copy.labelSide = side;
    return copy;
  }
  constexpr ControlDef aligned(TextAlign align) const {
    ControlDef copy = *this;
    copy.textAlign = align;
    return copy;
  }
  constexpr ControlDef stretches(double left, double top, double width, double height) const {
    ControlDef copy = *this;
    copy.stretch = {left, top, width, height};
    return copy;
  }
  constexpr ControlDef labelAt(int left, int top, int width, int height,
                               LabelSide side = LabelSide::Left) const {
    return labelAt(Rect{left, top, width, height}, side);
  }
  // A drawing's text is the name of the block of its picture the user last clicked.
  constexpr bool holdsText() const {
    return kind == ControlKind::StringBox || kind == ControlKind::TextMessage ||
           kind == ControlKind::Drawing;
  }
  constexpr bool holdsNumber() const {
    return kind == ControlKind::Ring || kind == ControlKind::Numeric ||
           kind == ControlKind::OnOffSwitch || kind == ControlKind::ToggleButton ||
           kind == ControlKind::Table;
  }
};

enum class MenuKind { Bar, Menu, Item, Separator };

// The menu bar is defined in display order; each entry names the menu it
// sits in, so identifiers need not follow what the user sees.
struct MenuItemDef {
  int id = 0;
  std::string_view constant;
  MenuKind kind = MenuKind::Item;
  int parent = 0;         // the menu holding it; the bar's own id for a menu on the bar
  std::string_view text;  // "__" marks the mnemonic letter
  std::string_view callback;
  bool dimmedAtLoad = false;
  int shortcut = 0;
  int alternateShortcut = 0;  // a second key for the same item; 0: none
  bool hiddenAtLoad = false;
  bool checkable = false;  // shows a check mark (ATTR_CHECKED)

  constexpr MenuItemDef alsoOn(int key) const {
    MenuItemDef copy = *this;
    copy.alternateShortcut = key;
    return copy;
  }
  constexpr MenuItemDef hidden() const {
    MenuItemDef copy = *this;
    copy.hiddenAtLoad = true;
    return copy;
  }
  constexpr MenuItemDef withCheckMark() const {
    MenuItemDef copy = *this;
    copy.checkable = true;
    return copy;
  }
};

// How a panel's window takes a size other than the panel's: Fixed keeps it;
// Scaled draws the whole panel larger or smaller, every position kept;
// Stretched moves and grows the controls by their Stretch, down to these
// shares of the panel's width and height (what a laptop screen leaves).
enum class PanelSizing { Fixed, Scaled, Stretched };
inline constexpr double kSmallestStretchedWidth = 0.9;
inline constexpr double kSmallestStretchedHeight = 0.7;

struct PanelDef {
  std::string_view fileName;
  int resourceId = 1;
  std::string_view constant;
  std::string_view title;
  int width = 0;
  int height = 0;
  int backgroundColor = 0xECE9D8;
  std::string_view callback;
  std::span<const ControlDef> controls;
  std::span<const MenuItemDef> menu;  // empty: no menu bar; in display order
  PanelSizing sizing = PanelSizing::Fixed;
  // The button Enter presses wherever the focus is in the panel; 0: none.
  int defaultButton = 0;

  constexpr PanelDef sized(PanelSizing how) const {
    PanelDef copy = *this;
    copy.sizing = how;
    return copy;
  }
  constexpr PanelDef withDefaultButton(int control) const {
    PanelDef copy = *this;
    copy.defaultButton = control;
    return copy;
  }
};

// Every panel definition of the program.
std::span<const PanelDef> AllPanelDefs();
const PanelDef* FindPanelDef(std::string_view fileName, int resourceId);
const ControlDef* FindControlDef(const PanelDef& panel, int control);
const ControlDef* FindControlDef(const PanelDef& panel, std::string_view constant);
const MenuItemDef* FindMenuItemDef(const PanelDef& panel, int item);

}  // namespace qv
