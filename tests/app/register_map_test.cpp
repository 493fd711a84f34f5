// View > Register Map beside the panel, and the baseline its "changed"
// column reads: what moves the baseline and what leaves it alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "bridge/hidbridge.h"
#include "files/panel/baseline.h"
#include "tests/files/temp_folder.h"
#include "tests/support/program_fixture.h"
#include "ui/panel_ids.h"

namespace qv {
namespace {

using test::Bridge;
using Row = std::vector<std::string>;

class RegisterMapWindow : public test::ProgramTest {
 protected:
  int Open() {
    EXPECT_EQ(Choose(menubar::REGISTERMAP), UIE_NO_ERROR);
    EXPECT_EQ(Store().TopPopup(), 0) << "a window beside the panel, not a modal popup";
    return ui.shownPanels.back();
  }
  static TableContents Table(int panel, int control) {
    TableContents table;
    GetTableContents(panel, control, &table);
    return table;
  }
  static std::string TextOf(int panel, int control) {
    std::string text;
    GetCtrlVal(panel, control, &text);
    return text;
  }
  void ChooseWithFile(int item, const std::string& path) {
    ui.fileAnswers.push_back({VAL_NEW_FILE_SELECTED, path});
    ASSERT_EQ(ChooseDiscarding(item), UIE_NO_ERROR);
  }
  test::TempFolder folder;
};

TEST_F(RegisterMapWindow, ShowsEveryRegisterAndFollowsEveryChange) {
  StartOffline();
  const int map = Open();
  TableContents registers = Table(map, regmappnl::REGISTERS);
  ASSERT_EQ(registers.rows.size(), 32u);
  EXPECT_EQ(registers.columns,
            (Row{"Index", "Address", "Name", "Hex", "Binary", "Default", "Changed"}));
  EXPECT_EQ(registers.rows[1], (Row{"1", "0x18", "AF0", "0x14", "0001 0100", "yes", ""}));

  // The main panel works on while the window is open, and the window follows.
  ASSERT_EQ(Commit(PLL1_N, 102), UIE_NO_ERROR);
  registers = Table(map, regmappnl::REGISTERS);
  EXPECT_EQ(registers.rows[1],
            (Row{"1", "0x18", "AF0", "0x16", "0001 0110", "no (0x14)", "changed"}));
  EXPECT_NE(registers.rowColors[1], TABLE_NO_COLOR);
  EXPECT_EQ(registers.rowColors[0], TABLE_NO_COLOR);
  // A switch that recomputes nothing is followed too.
  ASSERT_EQ(Commit(REFPOWER, 0), UIE_NO_ERROR);
  EXPECT_EQ(Table(map, regmappnl::REGISTERS).rows[IDX_DR2][6], "changed");

  ASSERT_EQ(Store().CommitValue(map, regmappnl::REGISTERS, IDX_DR1), UIE_NO_ERROR);
  EXPECT_EQ(TextOf(map, regmappnl::FIELDS_CAPTION), "Fields of DR1 (0x3A)");
  EXPECT_EQ(Table(map, regmappnl::FIELDS).rows,
            (std::vector<Row>{{"2:0", "OUT1/OUT0 output format", "0 (LVPECL/LVPECL)"},
                              {"5:3", "OUT3/OUT2 output format", "0 (LVPECL/LVPECL)"},
                              {"6", "OUT2 power", "on"},
                              {"7", "OUT3 power", "on"}}));
  ASSERT_EQ(Commit(CH3POWER, 0), UIE_NO_ERROR);
  EXPECT_EQ(Table(map, regmappnl::FIELDS).rows[3][2], "off");
  ASSERT_EQ(Store().CommitValue(map, regmappnl::REGISTERS, IDX_BF1), UIE_NO_ERROR);
  EXPECT_EQ(Table(map, regmappnl::FIELDS).rows,
            (std::vector<Row>{{"7:4 + BF0 7:0", "PLL2 fractional word, map 0", "0"},
                              {"3:0 + BF2 7:0", "PLL2 modulus, map 0", "0"}}));
  ASSERT_EQ(Store().CommitValue(map, regmappnl::REGISTERS, IDX_C0), UIE_NO_ERROR);
  EXPECT_EQ(Table(map, regmappnl::FIELDS).rows,
            (std::vector<Row>{{"1", "Look-ahead enable", "off"},
                              {"7:2, 0", "No field: kept as loaded", "0x00"}}));

  // Saving makes the saved configuration the baseline: nothing is changed.
  ChooseWithFile(menubar::EXPORT, folder.Path("saved.stp"));
  EXPECT_EQ(Table(map, regmappnl::REGISTERS).rows[1][6], "");
  EXPECT_TRUE(
      TextOf(map, regmappnl::BASELINE_NOTE).starts_with("Yellow: changed since saving saved.stp."));
  EXPECT_EQ(TextOf(map, regmappnl::LOG_CAPTION), "Offline: nothing is sent to the chip.");
}

TEST_F(RegisterMapWindow, OnlineItLogsEveryTransferAndClosesToHidden) {
  StartOnlineConnected();
  const int map = Open();
  ASSERT_EQ(Commit(CH0POWER, 0), UIE_NO_ERROR);  // look-ahead, then BP0
  Bridge().forcedResult = HIDBRIDGE_NO_ADAPTER;
  ASSERT_EQ(Commit(CH0POWER, 1), UIE_NO_ERROR);
  Bridge().forcedResult.reset();
  const TableContents log = Table(map, regmappnl::LOG);
  ASSERT_EQ(log.rows.size(), 6u) << "the probe, the look-ahead, then two changes of two writes";
  EXPECT_EQ(log.columns, (Row{"Time", "Kind", "Address", "Value", "Result"}));
  EXPECT_EQ((Row(log.rows[0].begin() + 1, log.rows[0].end())), (Row{"read", "0x3F", "0x5A", "OK"}));
  EXPECT_EQ((Row(log.rows[3].begin() + 1, log.rows[3].end())),
            (Row{"write", "0x11", "0x01", "OK"}));
  EXPECT_EQ(log.rows[5][4], "adapter not found");
  EXPECT_EQ(log.rowColors[3], TABLE_NO_COLOR);
  EXPECT_NE(log.rowColors[5], TABLE_NO_COLOR);
  EXPECT_EQ(log.rows[0][0].size(), 12u) << log.rows[0][0];  // 12:34:56.789

  ASSERT_EQ(Store().PressButton(map, regmappnl::CLOSE), UIE_NO_ERROR);
  EXPECT_EQ(std::count(ui.shownPanels.begin(), ui.shownPanels.end(), map), 0);
  ASSERT_NE(Store().Find(map), nullptr) << "hidden, not discarded";
}

TEST_F(RegisterMapWindow, TheBaselineMovesWithLoadsSavesResetsAndReadsOnly) {
  StartOnlineConnected();
  EXPECT_FALSE(DiffersFromBaseline()) << "the look-ahead bit the check set is no change";
  const std::string setup = folder.Path("board.stp");
  const std::string json = folder.Path("board.json");
  struct Step {
    const char* what;
    std::function<void()> act;
    BaselineOrigin origin;
    std::string path;
  };
  const Step steps[] = {
      {"save", [&] { ChooseWithFile(menubar::EXPORT, setup); }, BaselineOrigin::Saved, setup},
      {"defaults", [&] { ASSERT_EQ(ChooseDiscarding(menubar::RESETDEFAULT), UIE_NO_ERROR); },
       BaselineOrigin::Defaults, ""},
      {"load", [&] { ChooseWithFile(menubar::IMPORT, setup); }, BaselineOrigin::SetupFile, setup},
      {"Reset DUT", [&] { ASSERT_EQ(PressDiscarding(ResetRegisters), UIE_NO_ERROR); },
       BaselineOrigin::Defaults, ""},
      {"JSON export", [&] { ChooseWithFile(menubar::EXPORTJSON, json); },
       BaselineOrigin::JsonExport, json},
      {"reset to the last setup file",
       [&] { ASSERT_EQ(ChooseDiscarding(menubar::RESETCFG), UIE_NO_ERROR); },
       BaselineOrigin::JsonExport, json},
      {"read from chip", [&] { ASSERT_EQ(Choose(menubar::READCHIP), UIE_NO_ERROR); },
       BaselineOrigin::Chip, ""},
  };
  int n = 100;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    ASSERT_EQ(Commit(PLL1_N, ++n), UIE_NO_ERROR);
    ASSERT_EQ(Commit(MARGIN, n % 2), UIE_NO_ERROR);
    EXPECT_TRUE(DiffersFromBaseline());
    step.act();
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.back().text;
    EXPECT_EQ(Baseline().origin, step.origin);
    EXPECT_EQ(Baseline().path, step.path);
    EXPECT_FALSE(DiffersFromBaseline());
    // A pin is part of what a save keeps.
    ASSERT_EQ(Commit(MARGIN, 1 - n % 2), UIE_NO_ERROR);
    EXPECT_TRUE(DiffersFromBaseline());
    ASSERT_EQ(Commit(MARGIN, n % 2), UIE_NO_ERROR);
  }
}

}  // namespace
}  // namespace qv
