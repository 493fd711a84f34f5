// The panel definitions as the rest of the program relies on them.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "chip/field_codec.h"
#include "model/registers.h"
#include "plan/panel/register_fields.h"
#include "ui/panel_defs.h"
#include "ui/panel_ids.h"
#include "ui/panel_store.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

TEST(Definitions, EachPanelNumbersItsControlsFromTwoWithoutGaps) {
  for (const PanelDef& panel : AllPanelDefs()) {
    std::set<int> ids;
    std::set<std::string_view> constants;
    for (const ControlDef& control : panel.controls) {
      ids.insert(control.id);
      constants.insert(control.constant);
    }
    EXPECT_EQ(ids.size(), panel.controls.size()) << panel.fileName;
    EXPECT_EQ(constants.size(), panel.controls.size()) << panel.fileName;
    EXPECT_EQ(*ids.begin(), 2) << panel.fileName;
    EXPECT_EQ(*ids.rbegin(), static_cast<int>(panel.controls.size()) + 1) << panel.fileName;
  }
  EXPECT_EQ(FindPanelDef(MAIN_PANEL_FILE, PANEL)->controls.size(), 95u);
}

TEST(Definitions, ConstantsNameTheirOwnIdentifiers) {
  const PanelDef& main = *FindPanelDef(MAIN_PANEL_FILE, PANEL);
  struct Case {
    std::string_view constant;
    int id;
  };
  for (auto [constant, id] :
       {Case{"CheckConnectionButton", CheckConnectionButton}, Case{"PLL1_N", PLL1_N},
        Case{"OUT3D_M", OUT3D_M}, Case{"REFFREQ", REFFREQ}, Case{"TXT_FRACRANGE", TXT_FRACRANGE},
        Case{"LBL_INJLOCK", LBL_INJLOCK}, Case{"BLEEDSDM", BLEEDSDM}}) {
    ASSERT_NE(FindControlDef(main, constant), nullptr) << constant;
    EXPECT_EQ(FindControlDef(main, constant)->id, id) << constant;
  }
  EXPECT_EQ(PLL1_N, 12);
}

// The given identifiers keep their numbers, the File items their order; the
// menus show as on any desktop, and every entry sits in a menu.
TEST(Definitions, MenusKeepTheirIdentifiersAndShowInDesktopOrder) {
  const PanelDef& main = *FindPanelDef(MAIN_PANEL_FILE, PANEL);
  std::vector<std::string_view> menus, file;
  for (const MenuItemDef& item : main.menu) {
    if (item.kind == MenuKind::Bar) continue;
    ASSERT_NE(FindMenuItemDef(main, item.parent), nullptr) << item.constant;
    if (item.kind == MenuKind::Menu && item.parent == menubar::MENU) menus.push_back(item.constant);
    if (item.parent == menubar::FILE && item.id <= menubar::EXIT) file.push_back(item.constant);
  }
  const std::vector<std::string_view> desktop{"FILE", "EDIT", "VIEW", "TOOLS", "HELP"};
  std::vector<std::string_view> shown;
  for (std::string_view menu : desktop) {
    if (std::ranges::find(menus, menu) != menus.end()) shown.push_back(menu);
  }
  EXPECT_EQ(menus, shown);
  EXPECT_EQ(file, (std::vector<std::string_view>{"RESETDEFAULT", "SEPARATOR_2", "IMPORT", "EXPORT",
                                                 "RESETCFG", "SEPARATOR", "EXPORTJSON",
                                                 "SEPARATOR_3", "EXIT"}));
  const std::pair<int, std::string_view> given[] = {
      {1, "MENU"},   {2, "FILE"},     {3, "RESETDEFAULT"}, {4, "SEPARATOR_2"}, {5, "IMPORT"},
      {6, "EXPORT"}, {7, "RESETCFG"}, {8, "SEPARATOR"},    {9, "EXPORTJSON"},  {10, "SEPARATOR_3"},
      {11, "EXIT"},  {12, "HELP"},    {13, "ABOUT"}};
  for (auto [id, constant] : given) EXPECT_EQ(FindMenuItemDef(main, id)->constant, constant);
  EXPECT_EQ(FindMenuItemDef(main, menubar::ABOUT)->parent, menubar::HELP);
  EXPECT_EQ(FindMenuItemDef(main, menubar::EXPORTREPORT)->parent, menubar::FILE);
  EXPECT_EQ(FindMenuItemDef(main, menubar::CLOCKTREE)->parent, menubar::VIEW);
  EXPECT_EQ(FindMenuItemDef(main, menubar::EXIT)->shortcut, SHORTCUT_CTRL_Q);
}

// The numerics start where the register defaults decode to, in both maps.
TEST(Definitions, DividerInitialValuesAgreeWithRegisterDefaults) {
  const PanelDef& main = *FindPanelDef(MAIN_PANEL_FILE, PANEL);
  auto initial = [&](int id) { return FindControlDef(main, id)->initialValue; };
  const RegisterImage defaults = DefaultRegisterImage();
  for (const RegisterField& field : RegisterFields()) {
    if (field.field->map < 0) continue;
    EXPECT_EQ(initial(field.control), codec::DecodeField(*field.field, defaults))
        << FindControlDef(main, field.control)->constant;
  }
  EXPECT_EQ(initial(OUT3D), 18);
  EXPECT_EQ(initial(OUT3D_M), 6);
}

TEST(Definitions, MainPanelAtLoad) {
  Store().Clear();
  int panel = LoadPanel(0, MAIN_PANEL_FILE, PANEL);
  auto value = [&](int control) {
    int v = -1;
    GetCtrlVal(panel, control, &v);
    return v;
  };
  auto attribute = [&](int control, int attr) {
    int v = -1;
    GetCtrlAttribute(panel, control, attr, &v);
    return v;
  };
  EXPECT_EQ(value(CrystalFreq), 1);
  EXPECT_EQ(value(REFSEL), 1);
  for (int pin : {MARGIN, SSCG, MAXBW, REFDIV, Pll1OutputFormat, Pll2OutputFormat, PLL1SYNC,
                  PLL2SYNC, BLEEDSDM}) {
    EXPECT_EQ(value(pin), 0) << pin;
  }
  for (int power : {CH0POWER, CH1POWER, CH2POWER, CH3POWER, PLL1POWER, PLL2POWER, REFPOWER}) {
    EXPECT_EQ(value(power), 1) << power;
  }
  for (int hidden :
       {LBL_INJLOCK, LBL_INJLOCK_M, TXT_SSCG_DOWNSPREAD, TXT_SSCG_FMOD, TXT_FRACRANGE}) {
    EXPECT_EQ(attribute(hidden, ATTR_VISIBLE), 0) << hidden;
  }
  EXPECT_EQ(attribute(LBL_SSCG_DISABLED, ATTR_VISIBLE), 1);
  for (const ControlDef& def : FindPanelDef(MAIN_PANEL_FILE, PANEL)->controls) {
    // Captions and the spread-spectrum results (hidden instead) carry no value to edit.
    bool valueBearing =
        def.holdsNumber() ||
        (def.kind == ControlKind::StringBox && !def.constant.starts_with("STRING") &&
         def.constant != "INPINS" && def.atLoad != LoadState::Hidden);
    if (valueBearing) {
      EXPECT_EQ(attribute(def.id, ATTR_DIMMED), 1) << def.constant;
    }
  }
  std::string text;
  GetCtrlVal(panel, REFFREQ, &text);
  EXPECT_EQ(text, "25.0");
  Store().Clear();
}

}  // namespace
}  // namespace qv
