// What a desktop user expects of the program's logic, whatever front end shows
// it: file dialogs that start at the open file, Copy Map as one step, the
// clock tree and the register map as ways to a control, the transfer log as
// CSV, the View and Help items, About, and qv3380_gui's own command line.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/clock_tree_window.h"
#include "app/gui_command_line.h"
#include "app/register_map.h"
#include "app/shell.h"
#include "app/startup.h"
#include "app/undo.h"
#include "app/user_guide_pictures.h"
#include "base/version.h"
#include "base/version_notice.h"
#include "bridge/hidbridge.h"
#include "chip/field_codec.h"
#include "chip/fields.h"
#include "model/fields.h"
#include "model/registers.h"
#include "plan/panel/register_decoding.h"
#include "tests/files/temp_folder.h"
#include "tests/support/program_fixture.h"
#include "ui/panel_ids.h"

namespace qv {
namespace {

using test::Bridge;

class Desktop : public test::ProgramTest {
 protected:
  void SaveAs(const std::string& path) {
    ui.fileAnswers.push_back({VAL_NEW_FILE_SELECTED, path});
    ASSERT_EQ(Choose(menubar::EXPORT), UIE_NO_ERROR);
  }
  int Popup() const { return Store().TopPopup(); }
  // As a new run would start, with the same front end and its settings.
  void Restart() { SetUp(); }
  test::TempFolder folder;
};

// Every dialog that writes or reads a file starts where the open setup file
// is, proposing its name with the dialog's ending; with no file open, in the
// folder last used, with the usual name.
TEST_F(Desktop, FileDialogsStartAtTheOpenFile) {
  struct Dialog {
    const char* what;
    std::function<void()> open;
    std::string withFile;    // the name proposed with board.stp open
    std::string withoutOne;  // and before any file is open
  };
  const std::vector<Dialog> dialogs{
      {"Save Setup As", [&] { Choose(menubar::EXPORT); }, "board.stp", "qv3380_setup.stp"},
      {"Open Setup", [&] { Choose(menubar::IMPORT); }, "*.stp", "*.stp"},
      {"Compare", [&] { Choose(menubar::COMPARE); }, "*.stp", "*.stp"},
      {"Import Registers", [&] { Choose(menubar::IMPORTREGS); }, "", ""},
      {"Export JSON", [&] { Choose(menubar::EXPORTJSON); }, "board.json", "qv3380_def.json"},
      {"Export Report", [&] { Choose(menubar::EXPORTREPORT); }, "board.pdf", "qv3380_report.pdf"},
      {"Export Registers",
       [&] {
         Choose(menubar::EXPORTREGS);
         const int dialog = Popup();
         Store().PressButton(dialog, exportpnl::EXPORT);
         Store().PressButton(dialog, exportpnl::CANCEL);
       },
       "board.h", "qv3380_registers.h"},
      {"Clock Tree SVG",
       [&] {
         Choose(menubar::CLOCKTREE);
         Store().PressButton(ClockTreePanel(), clockpnl::EXPORTSVG);
       },
       "board.svg", "qv3380_clock_tree.svg"},
      {"Save Log",
       [&] {
         Choose(menubar::REGISTERMAP);
         Store().PressButton(RegisterMapPanel(), regmappnl::SAVELOG);
       },
       "board-transfers.csv", "qv3380_transfers.csv"},
  };
  StartOnlineConnected();
  const std::string last = folder.Path("last");
  SetPersistentSetting("lastFolder", last);
  for (const Dialog& dialog : dialogs) {
    ui.fileRequests.clear();
    dialog.open();
    ASSERT_EQ(ui.fileRequests.size(), 1u) << dialog.what;
    EXPECT_EQ(ui.fileRequests[0].defaultDirectory, last) << dialog.what;
    EXPECT_EQ(ui.fileRequests[0].defaultFileSpec, dialog.withoutOne) << dialog.what;
  }
  SaveAs(folder.Path("board.stp"));
  for (const Dialog& dialog : dialogs) {
    ui.fileRequests.clear();
    dialog.open();
    ASSERT_EQ(ui.fileRequests.size(), 1u) << dialog.what;
    EXPECT_EQ(ui.fileRequests[0].defaultDirectory, folder.path().string()) << dialog.what;
    EXPECT_EQ(ui.fileRequests[0].defaultFileSpec, dialog.withFile) << dialog.what;
  }
}

// Copy Map commits every divider of one map to the other's controls, so
// online the chip follows, and one undo takes it all back.
TEST_F(Desktop, CopyMapIsOneStepThroughTheHandlers) {
  struct Case {
    int item;
    int from;
  };
  for (const Case& c : {Case{menubar::COPYMAP01, 0}, Case{menubar::COPYMAP10, 1}}) {
    SCOPED_TRACE(c.from);
    Restart();
    StartOnlineConnected();
    ASSERT_EQ(Commit(c.from == 0 ? PLL2_MOD : PLL2MODM, 100), UIE_NO_ERROR);
    ASSERT_EQ(Commit(c.from == 0 ? PLL2_FRAC : PLL2FRACM, 37), UIE_NO_ERROR);
    const RegisterImage before = CurrentRegisters();
    ClearWire();
    ASSERT_EQ(Choose(c.item), UIE_NO_ERROR);
    const int to = 1 - c.from;
    for (int f = 0; f < MAP_FIELD_COUNT; ++f) {
      const ChipField& from = FieldOf(c.from, static_cast<MapField>(f));
      const ChipField& into = FieldOf(to, static_cast<MapField>(f));
      EXPECT_EQ(ReadField(into), ReadField(from)) << FieldName(into);
    }
    const int freqFrom = c.from == 0 ? Out2Freq : OUT2FREQM;
    const int freqTo = c.from == 0 ? OUT2FREQM : Out2Freq;
    EXPECT_EQ(Text(freqTo), Text(freqFrom));
    EXPECT_FALSE(Bridge().Writes().empty()) << "online the chip follows";
    EXPECT_EQ(
        MenuText(menubar::UNDO)
            .rfind(c.from == 0 ? "__Undo Copy Map 0 to Map 1" : "__Undo Copy Map 1 to Map 0", 0),
        0u)
        << MenuText(menubar::UNDO);
    ASSERT_EQ(Choose(menubar::UNDO), UIE_NO_ERROR);
    EXPECT_EQ(CurrentRegisters(), before) << "one step undoes the whole copy";
  }
}

// A value the other map's control would clamp is named, and nothing is copied.
TEST_F(Desktop, CopyMapRefusesWhatTheOtherMapCannotTake) {
  StartOffline();
  RegisterImage image = CurrentRegisters();
  codec::EncodeField(FieldOf(0, MapField::V3), 7, image);  // as a file may hold it
  ApplyRegisterImage(image);
  const RegisterImage before = CurrentRegisters();
  ASSERT_EQ(Choose(menubar::COPYMAP01), UIE_NO_ERROR);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "Copy Map");
  EXPECT_EQ(ui.messages[0].text,
            "Map 0 was not copied to map 1: OUT3 VCO divider, map 0 is 7; map 1's control takes "
            "2 to 6.");
  EXPECT_EQ(CurrentRegisters(), before);
}

// A block of the clock tree and a field of the register map lead to the
// control that sets them.
TEST_F(Desktop, BlocksAndFieldsLeadToTheirControl) {
  struct Block {
    const char* name;
    int map0;
    int map1;
  };
  for (const Block& block :
       {Block{"pll1", PLL1_N, PLL1N_M}, Block{"vco2", PLL2_N, PLL2N_M},
        Block{"out2-v", OUT2V, OUT2V_M}, Block{"out3", OUT3D, OUT3D_M},
        Block{"out0-d", OUT0D, OUT0D_M}, Block{"refdiv", REFDIV, REFDIV},
        Block{"crystal", CrystalFreq, CrystalFreq}, Block{"ssc", FRACSTEP, FRACSTEP},
        Block{"pfd", 0, 0}, Block{"heading", 0, 0}}) {
    EXPECT_EQ(ControlOfBlock(block.name, 0), block.map0) << block.name;
    EXPECT_EQ(ControlOfBlock(block.name, 1), block.map1) << block.name;
  }
  StartOffline();
  ASSERT_EQ(Commit(MARGIN, 1), UIE_NO_ERROR);
  ASSERT_EQ(Choose(menubar::CLOCKTREE), UIE_NO_ERROR);
  ASSERT_EQ(Store().CommitText(ClockTreePanel(), clockpnl::DIAGRAM, "pll2"), UIE_NO_ERROR);
  ASSERT_EQ(Store().CommitText(ClockTreePanel(), clockpnl::DIAGRAM, "legend"), UIE_NO_ERROR);
  ASSERT_EQ(Choose(menubar::REGISTERMAP), UIE_NO_ERROR);
  const int map = RegisterMapPanel();
  ASSERT_EQ(Store().CommitValue(map, regmappnl::REGISTERS, IDX_DR1), UIE_NO_ERROR);
  ASSERT_EQ(Store().CommitValue(map, regmappnl::FIELDS, 1), UIE_NO_ERROR);  // OUT3/OUT2 format
  ASSERT_EQ(Store().CommitValue(map, regmappnl::REGISTERS, IDX_BM4), UIE_NO_ERROR);
  ASSERT_EQ(Store().CommitValue(map, regmappnl::FIELDS, 0), UIE_NO_ERROR);  // OUT3 V, map 1
  using Focus = HeadlessFrontEnd::Focus;
  EXPECT_EQ(ui.focused,
            (std::vector<Focus>{
                {panelHandle, PLL2N_M}, {panelHandle, Pll2OutputFormat}, {panelHandle, OUT3V_M}}))
      << "the map MARGIN selects; nothing for a block no control sets";
}

// The log is cleared on request and saved with a header and one row per transfer.
TEST_F(Desktop, TheTransferLogIsClearedAndSavedAsCsv) {
  StartOnlineConnected();
  ASSERT_EQ(Choose(menubar::REGISTERMAP), UIE_NO_ERROR);
  const int map = RegisterMapPanel();
  ASSERT_EQ(Commit(PLL1_N, 101), UIE_NO_ERROR);
  Bridge().forcedResult = HIDBRIDGE_NO_ADAPTER;
  ASSERT_EQ(Commit(PLL1_N, 102), UIE_NO_ERROR);
  Bridge().forcedResult.reset();
  const std::string path = folder.Path("log.csv");
  ui.fileAnswers.push_back({VAL_NEW_FILE_SELECTED, path});
  ASSERT_EQ(Store().PressButton(map, regmappnl::SAVELOG), UIE_NO_ERROR);
  std::istringstream lines(test::ReadText(path));
  std::vector<std::string> rows;
  for (std::string line; std::getline(lines, line);) rows.push_back(line);
  ASSERT_GT(rows.size(), 6u);
  EXPECT_EQ(rows[0], "# QV3380 transfers with the chip");
  EXPECT_EQ(rows[1].rfind("# Written by qv3380 " + std::string(kToolVersion) + " on ", 0), 0u);
  EXPECT_EQ(rows[3], "# Device address: 0x80 (8-bit), 0x40 (7-bit)");
  EXPECT_EQ(rows[4], "date,time,kind,address,value,result,code");
  EXPECT_NE(rows[5].find(",read,0x3F,0x5A,OK,90"), std::string::npos) << "the check: " << rows[5];
  EXPECT_NE(
      std::ranges::find_if(
          rows, [](const std::string& row) { return row.ends_with(",write,0x18,0x15,OK,0"); }),
      rows.end());
  EXPECT_NE(rows.back().find(",adapter not found,-2"), std::string::npos) << rows.back();

  ASSERT_EQ(Store().PressButton(map, regmappnl::CLEARLOG), UIE_NO_ERROR);
  TableContents log;
  GetTableContents(map, regmappnl::LOG, &log);
  EXPECT_TRUE(log.rows.empty());
  EXPECT_TRUE(ui.messages.empty());
}

// Zoom, look and guide are the front end's; the logic asks for them and keeps
// the look chosen, with its check mark, for the next run.
TEST_F(Desktop, ViewAndHelpItemsReachTheFrontEnd) {
  StartOffline();
  EXPECT_EQ(ui.classicLook, std::optional<bool>(false)) << "the desktop's look at first";
  for (int item : {menubar::ZOOMIN, menubar::ZOOMOUT, menubar::ACTUALSIZE}) {
    ASSERT_EQ(Choose(item), UIE_NO_ERROR);
  }
  EXPECT_EQ(ui.zooms, (std::vector<int>{ZOOM_IN, ZOOM_OUT, ZOOM_ACTUAL}));
  int checked = -1;
  for (bool classic : {true, false, true}) {
    ASSERT_EQ(Choose(menubar::CLASSICLOOK), UIE_NO_ERROR);
    GetMenuBarAttribute(panelHandle, menubar::CLASSICLOOK, ATTR_CHECKED, &checked);
    EXPECT_EQ(checked, classic ? 1 : 0);
    EXPECT_EQ(ui.classicLook, std::optional<bool>(classic));
  }
  // The next run starts in the look chosen.
  Restart();
  ui.classicLook.reset();
  StartOffline();
  EXPECT_EQ(ui.classicLook, std::optional<bool>(true));
  GetMenuBarAttribute(panelHandle, menubar::CLASSICLOOK, ATTR_CHECKED, &checked);
  EXPECT_EQ(checked, 1);
  ASSERT_EQ(Choose(menubar::USERGUIDE), UIE_NO_ERROR);
  EXPECT_EQ(ui.guidePages, (std::vector<std::string>{""}));
}

TEST_F(Desktop, AboutTellsVersionBuildLibrariesAndLicence) {
  StartOffline();
  ASSERT_EQ(Choose(menubar::ABOUT), UIE_NO_ERROR);
  const int about = Popup();
  std::string version, libraries, licence;
  GetCtrlVal(about, aboutpnl::VERSION, &version);
  GetCtrlVal(about, aboutpnl::LIBRARIES, &libraries);
  GetCtrlVal(about, aboutpnl::LICENCE, &licence);
  EXPECT_EQ(version, "Version " + std::string(kToolVersion) + ", built " + std::string(kBuildDate));
  EXPECT_EQ(kBuildDate.size(), 10u) << "YYYY-MM-DD";
  EXPECT_NE(libraries.find("hidapi " + std::string(kHidapiVersion)), std::string::npos);
  EXPECT_EQ(licence, "Licence: " + std::string(kToolLicence));
}

// The user guide's pictures: each window after the steps that show it.
TEST_F(Desktop, TheUserGuidePicturesShowEachWindow) {
  char name[] = "qv3380_gui";
  char* argv[] = {name, nullptr};
  ASSERT_EQ(WriteUserGuidePictures(1, argv, folder.path().string()), 0);
  std::vector<std::string> written;
  for (const auto& [panel, path] : ui.pictures) {
    written.push_back(std::filesystem::path(path).filename().string());
    EXPECT_EQ(std::filesystem::path(path).parent_path(), folder.path());
  }
  EXPECT_EQ(written, UserGuidePictureNames());
  EXPECT_EQ(ui.pictures.front().first, panelHandle);
  EXPECT_EQ(OpMode, OPMODE_OFFLINE);
}

// qv3380_gui answers --help and --version as qv3380 does and leaves Qt's
// options and the file to open to the program.
TEST(GuiCommandLineTest, AnswersHelpAndVersionAndPassesTheRestOn) {
  struct Case {
    std::vector<std::string> args;
    std::optional<int> status;
    std::string out;  // how standard output begins
    std::string err;
    std::vector<std::string> remaining;
  };
  const Case cases[] = {
      {{"--help"}, 0, "The QV3380 configuration tool", "", {}},
      {{"-h"}, 0, "The QV3380 configuration tool", "", {}},
      {{"--version"}, 0, VersionNotice("qv3380_gui") + "\n", "", {}},
      {{"-V"}, 0, "qv3380_gui " + std::string(kToolVersion) + "\nCopyright ", "", {}},
      {{"--bogus"}, GUI_USAGE_STATUS, "", "qv3380_gui: ", {}},
      {{"--write-screenshots"},
       GUI_USAGE_STATUS,
       "",
       "qv3380_gui: --write-screenshots needs a value (DIR)\n",
       {}},
      {{"a.stp", "b.stp"}, GUI_USAGE_STATUS, "", "qv3380_gui: ", {}},
      {{}, std::nullopt, "", "", {}},
      {{"board.stp"}, std::nullopt, "", "", {"board.stp"}},
      {{"--adapter"},
       GUI_USAGE_STATUS,
       "",
       "qv3380_gui: --adapter needs a value (SERIAL|PATH)\n",
       {}},
      {{"--trace"}, GUI_USAGE_STATUS, "", "qv3380_gui: --trace needs a value (FILE)\n", {}},
      {{"-platform", "offscreen", "board.stp", "-style", "Fusion"},
       std::nullopt,
       "",
       "",
       {"-platform", "offscreen", "-style", "Fusion", "board.stp"}},
  };
  for (const Case& c : cases) {
    std::ostringstream out, err;
    GuiCommandLine line;
    EXPECT_EQ(ParseGuiCommandLine(c.args, out, err, &line), c.status)
        << testing::PrintToString(c.args);
    EXPECT_EQ(out.str().rfind(c.out, 0), 0u) << out.str();
    EXPECT_EQ(err.str().rfind(c.err, 0), 0u) << err.str();
    if (c.status == GUI_USAGE_STATUS) {
      EXPECT_NE(err.str().find("Try 'qv3380_gui --help'."), std::string::npos);
    }
    if (!c.status) {
      EXPECT_EQ(line.remaining, c.remaining);
    }
  }
  {
    std::ostringstream out, err;
    GuiCommandLine line;
    EXPECT_EQ(ParseGuiCommandLine({"--adapter", "MOCK0002", "--trace=t.log", "board.stp"}, out, err,
                                  &line),
              std::nullopt);
    EXPECT_EQ(std::tie(line.adapter, line.tracePath, line.remaining),
              std::make_tuple("MOCK0002", "t.log", std::vector<std::string>{"board.stp"}));
  }
  std::ostringstream out, err;
  GuiCommandLine line;
  ParseGuiCommandLine({"--help"}, out, err, &line);
  EXPECT_NE(out.str().find("Exit status:"), std::string::npos);
  EXPECT_TRUE(out.str().ends_with(BugReportLine() + "\n")) << out.str();
  std::ostream broken(nullptr);
  EXPECT_EQ(ParseGuiCommandLine({"--version"}, broken, err, &line), 1)
      << "not written is no answer";
  EXPECT_FALSE(ParseGuiCommandLine({"--write-screenshots", "pictures"}, out, err, &line));
  EXPECT_EQ(line.screenshotFolder, "pictures");
}

}  // namespace
}  // namespace qv
