// Reading the chip back, verifying it, comparing with a setup file and
// exporting for firmware, as a user does them from the File menu.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/panel_configuration.h"
#include "bridge/hidbridge.h"
#include "files/panel/baseline.h"
#include "files/panel/current_setup.h"
#include "files/panel/setup_file_saving.h"
#include "files/register_export.h"
#include "model/registers.h"
#include "tests/files/temp_folder.h"
#include "tests/support/program_fixture.h"
#include "ui/panel_defs.h"
#include "ui/panel_ids.h"

namespace qv {
namespace {

using test::Bridge;
using test::WireEvent;

using Row = std::vector<std::string>;

class Handoff : public test::ProgramTest {
 protected:
  // A chip programmed elsewhere: the defaults with some fields of its own.
  static RegisterImage ProgrammedImage() {
    RegisterImage image = DefaultRegisterImage();
    image[IDX_AF0] = 0x16;  // PLL1 N 102
    image[IDX_BM4] = 0x88;  // OUT3 D 8 in map 1
    image[IDX_DR1] = 0x45;  // OUT1/OUT0 format 5, OUT2 powered down
    image[IDX_BS1] = 0xFB;  // step -5
    image[IDX_X0] = 0x01;   // a bit no field describes
    image[IDX_C0] = 0x02;   // the look-ahead bit a tool set
    return image;
  }
  static void Program(const RegisterImage& image) {
    for (int i = 0; i < REGISTER_COUNT; ++i) Bridge().chip[kRegisters[i].address] = image[i];
  }
  static std::vector<WireEvent> Reads() {
    std::vector<WireEvent> reads;
    for (const WireEvent& event : Bridge().log) {
      if (event.kind == WireEvent::Kind::Read) reads.push_back(event);
    }
    return reads;
  }
  static std::string PopupText(int control) {
    std::string text;
    GetCtrlVal(Store().TopPopup(), control, &text);
    return text;
  }
  static TableContents PopupList() {
    TableContents list;
    GetTableContents(Store().TopPopup(), listpnl::LIST, &list);
    return list;
  }
  void ChooseWithFile(int item, const std::string& path) {
    ui.fileAnswers.push_back({VAL_EXISTING_FILE_SELECTED, path});
    ASSERT_EQ(Choose(item), UIE_NO_ERROR);
  }

  test::TempFolder folder;
};

TEST_F(Handoff, ChipMenusNeedAConnectedChipTheOthersAMode) {
  const int chip[] = {menubar::READCHIP, menubar::VERIFYCHIP};
  const int others[] = {menubar::COMPARE, menubar::EXPORTREGS, menubar::IMPORTREGS,
                        menubar::REGISTERMAP};
  struct Scenario {
    const char* mode;
    std::function<void()> start;
    int chipDimmed;
    int othersDimmed;
  };
  const Scenario scenarios[] = {
      {"no mode yet", [this] { Start(); }, 1, 1},
      {"offline", [this] { StartOffline(); }, 1, 0},
      {"online, not checked",
       [this] {
         Start();
         ASSERT_EQ(Store().PressButton(startupPanelHandle, startuppnl::RUNONLINE), UIE_NO_ERROR);
       },
       1, 1},
      {"online, checked", [this] { StartOnlineConnected(); }, 0, 0},
  };
  for (const Scenario& scenario : scenarios) {
    SCOPED_TRACE(scenario.mode);
    TearDown();
    SetUp();
    scenario.start();
    for (int item : chip) EXPECT_EQ(MenuDimmed(item), scenario.chipDimmed) << item;
    for (int item : others) EXPECT_EQ(MenuDimmed(item), scenario.othersDimmed) << item;
  }
}

TEST_F(Handoff, ReadFromChipDecodesIntoThePanelAndWritesNothing) {
  StartOnlineConnected();
  ASSERT_EQ(Commit(MARGIN, 1), UIE_NO_ERROR);
  const RegisterImage image = ProgrammedImage();
  Program(image);
  const RegisterImage setupImage = SetupImage;
  ClearWire();
  ASSERT_EQ(Choose(menubar::READCHIP), UIE_NO_ERROR);

  EXPECT_TRUE(Bridge().Writes().empty()) << test::Describe(Bridge().log);
  const std::vector<WireEvent> reads = Reads();
  ASSERT_EQ(reads.size(), static_cast<std::size_t>(REGISTER_COUNT));
  for (int i = 0; i < REGISTER_COUNT; ++i) {
    EXPECT_EQ(reads[i].reg, static_cast<int>(kRegisters[i].address))
        << "one read each, in index order";
    EXPECT_EQ(reads[i].device, 0x80);
  }
  EXPECT_EQ(CurrentRegisters(), image);
  EXPECT_EQ(Value(PLL1_N), 102);
  EXPECT_EQ(Value(OUT3D_M), 8);
  EXPECT_EQ(Value(Pll1OutputFormat), 5);
  EXPECT_EQ(Value(CH2POWER), 0);
  EXPECT_EQ(Value(FRACSTEP), -5);
  EXPECT_EQ(Value(MARGIN), 1) << "the pins stay: the chip does not hold them";
  EXPECT_EQ(SetupImage, setupImage) << "Reset To Last Setup File still returns to the file";
  EXPECT_EQ(MenuDimmed(menubar::RESETCFG), 1);
  EXPECT_EQ(Baseline().origin, BaselineOrigin::Chip);
  EXPECT_FALSE(DiffersFromBaseline());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Handoff, AFailedReadChangesNothingAndNamesTheRegister) {
  StartOnlineConnected();
  Program(ProgrammedImage());
  struct Case {
    int reg;
    int result;
    std::string message;
  };
  const Case cases[] = {
      {IDX_BP0, HIDBRIDGE_NO_ADAPTER, "Register BP0 (0x11) could not be read: adapter not found."},
      {IDX_DR1, HIDBRIDGE_NO_REPLY,
       "Register DR1 (0x3A) could not be read: no reply from adapter."},
      {IDX_C0, HIDBRIDGE_ADAPTER_ERROR,
       "Register C0 (0x40) could not be read: adapter reported an error."},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.message);
    const RegisterImage before = CurrentRegisters();
    ui.messages.clear();
    ClearWire();
    Bridge().failingRead = {static_cast<int>(kRegisters[test.reg].address), test.result};
    ASSERT_EQ(Choose(menubar::READCHIP), UIE_NO_ERROR);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Read From Chip");
    EXPECT_EQ(ui.messages[0].text, test.message + "\nNothing was changed.");
    EXPECT_EQ(CurrentRegisters(), before);
    EXPECT_EQ(Value(PLL1_N), 100);
    EXPECT_EQ(Reads().size(), static_cast<std::size_t>(test.reg + 1))
        << "no read after the failure";
    EXPECT_TRUE(Bridge().Writes().empty());
    EXPECT_EQ(Baseline().origin, BaselineOrigin::Start);
  }
}

TEST_F(Handoff, VerifyFindsASingleChangedBitAndNamesTheField) {
  StartOnlineConnected();
  ASSERT_EQ(Press(ResetRegisters), UIE_NO_ERROR);  // the chip now holds the panel
  struct Case {
    int reg;
    int bit;
    std::vector<Row> rows;
  };
  const Case cases[] = {
      {IDX_ADV0, 0, {{"ADV0 (0x22)", "OUT0 output divider, map 0", "4", "5"}}},
      {IDX_DR1, 6, {{"DR1 (0x3A)", "OUT2 power", "on", "off"}}},
      {IDX_BF1, 4, {{"BF0 (0x19), BF1 (0x1A)", "PLL2 fractional word, map 0", "0", "1"}}},
      {IDX_BS1, 7, {{"BS1 (0x2A)", "Spread-spectrum step size (FracStep)", "0", "-128"}}},
      {IDX_G0, 3, {{"G0 (0x3D)", "PLL1 power", "on", "off"}}},
      {IDX_X0, 3, {{"X0 (0x1F)", "X0 bits no field describes", "0x00", "0x08"}}},
      {IDX_C0, 1, {}},  // the look-ahead bit: the tool's own
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(kRegisters[test.reg].name);
    const unsigned address = kRegisters[test.reg].address;
    Bridge().chip[address] ^= 1 << test.bit;
    ClearWire();
    ASSERT_EQ(Choose(menubar::VERIFYCHIP), UIE_NO_ERROR);
    EXPECT_TRUE(Bridge().Writes().empty());
    EXPECT_EQ(Reads().size(), static_cast<std::size_t>(REGISTER_COUNT));
    ASSERT_NE(Store().TopPopup(), 0);
    // The summary has the same identifier with and without a list.
    static_assert(listpnl::SUMMARY == notepnl::SUMMARY);
    EXPECT_EQ(PopupText(listpnl::SUMMARY),
              test.rows.empty() ? "Chip matches the panel (32 registers)"
                                : "The chip differs from the panel in 1 field (1 register).");
    EXPECT_EQ(PopupList().rows, test.rows);
    ASSERT_EQ(Store().PressButton(Store().TopPopup(),
                                  test.rows.empty() ? notepnl::CLOSE : listpnl::CLOSE),
              UIE_NO_ERROR);
    EXPECT_EQ(Store().TopPopup(), 0);
    Bridge().chip[address] ^= 1 << test.bit;
  }
}

TEST_F(Handoff, CompareListsWhatAFileWouldChangeAndChangesNothing) {
  StartOffline();
  const std::string saved = folder.Path("board.stp");
  ASSERT_EQ(SaveSetupFile(saved), 1);
  ASSERT_EQ(Commit(PLL1_N, 102), UIE_NO_ERROR);
  ASSERT_EQ(Commit(SSCG, 1), UIE_NO_ERROR);
  const RegisterImage registers = CurrentRegisters();
  ChooseWithFile(menubar::COMPARE, saved);
  ASSERT_NE(Store().TopPopup(), 0);
  EXPECT_EQ(PopupText(listpnl::SUMMARY),
            "board.stp differs from the panel in 1 field (1 register) and 1 pin or reference "
            "setting.");
  const TableContents list = PopupList();
  EXPECT_EQ(list.columns, (Row{"Register", "Setting", "Panel", "board.stp"}));
  EXPECT_EQ(list.rows, (std::vector<Row>{
                           {"AF0 (0x18)", "PLL1 feedback divider N, map 0", "102", "100"},
                           {"", "    OUT0 frequency", "159.37500 MHz", "156.25000 MHz"},
                           {"", "    OUT1 frequency", "127.50000 MHz", "125.00000 MHz"},
                           {"-", "SSCG pin", "high", "low"},
                       }));
  EXPECT_EQ(CurrentRegisters(), registers);
  EXPECT_EQ(Baseline().origin, BaselineOrigin::Saved);
  ASSERT_EQ(Store().PressButton(Store().TopPopup(), listpnl::CLOSE), UIE_NO_ERROR);

  // Two changes that move the same output: what they do together comes last.
  ASSERT_EQ(Commit(OUT0D, 8), UIE_NO_ERROR);
  ChooseWithFile(menubar::COMPARE, saved);
  const std::vector<Row> rows = PopupList().rows;
  ASSERT_GE(rows.size(), 3u);
  EXPECT_EQ(rows[rows.size() - 3], (Row{"", "All changes together:", "", ""}));
  EXPECT_EQ(rows[rows.size() - 2],
            (Row{"", "    OUT0 frequency, map 0", "79.68750 MHz", "156.25000 MHz"}));
  ASSERT_EQ(Store().PressButton(Store().TopPopup(), listpnl::CLOSE), UIE_NO_ERROR);
  const std::string refused = folder.Path("refused.stp");
  test::WriteText(refused, "<Header>\n");
  ChooseWithFile(menubar::COMPARE, refused);
  EXPECT_EQ(Store().TopPopup(), 0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "File Open Error");
}

TEST_F(Handoff, ExportingRegistersChangesNothingInTheProgram) {
  StartOffline();
  // VCO1 at 2.75 GHz: the plan fails, the panel takes it all the same.
  ASSERT_EQ(Commit(PLL1_N, 110), UIE_NO_ERROR);
  const RegisterImage setupImage = SetupImage;
  ASSERT_EQ(Choose(menubar::EXPORTREGS), UIE_NO_ERROR);
  const int popup = Store().TopPopup();
  ASSERT_NE(popup, 0);
  // The ring offers the formats in their order; each dims what it does not take.
  const PanelDef& dialog = *FindPanelDef(EXPORT_PANEL_FILE, EXPORTPNL);
  ASSERT_EQ(FindControlDef(dialog, exportpnl::FORMAT)->items.size(), ExportFormats().size());
  const struct {
    ExportFormat format;
    std::string described;
    int busLabelDimmed, busNumberDimmed, provenanceDimmed;
  } formats[] = {{ExportFormat::Dts, "fixed clock", 0, 1, 1},
                 {ExportFormat::Uboot, "i2c mw", 1, 0, 1},
                 {ExportFormat::Csv, "one row per register", 1, 1, 0},
                 {ExportFormat::I2c, "i2cset", 1, 1, 1}};
  for (const auto& f : formats) {
    ASSERT_EQ(Store().CommitValue(popup, exportpnl::FORMAT, static_cast<int>(f.format)),
              UIE_NO_ERROR);
    EXPECT_NE(PopupText(exportpnl::DESCRIPTION).find(f.described), std::string::npos);
    int dimmed = -1;
    GetCtrlAttribute(popup, exportpnl::BUSLABEL, ATTR_DIMMED, &dimmed);
    EXPECT_EQ(dimmed, f.busLabelDimmed);
    GetCtrlAttribute(popup, exportpnl::BUSNUMBER, ATTR_DIMMED, &dimmed);
    EXPECT_EQ(dimmed, f.busNumberDimmed);
    GetCtrlAttribute(popup, exportpnl::PROVENANCE, ATTR_DIMMED, &dimmed);
    EXPECT_EQ(dimmed, f.provenanceDimmed);
  }

  // The question names the failures; Cancel (or Esc) writes nothing and asks for no file.
  const std::string path = folder.Path("board.sh");
  ui.fileAnswers.push_back({VAL_NEW_FILE_SELECTED, path});
  ASSERT_EQ(Store().PressButton(popup, exportpnl::EXPORT), UIE_NO_ERROR);
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0].title, "Export Registers");
  EXPECT_TRUE(ui.questions[0].message.starts_with(
      "The plan fails 2 checks:\n  Map 0 (MARGIN low): VCO1 2.75000 GHz is above 2.55 GHz\n"))
      << ui.questions[0].message;
  EXPECT_EQ(ui.questions[0].answers, (std::vector<std::string>{"Export __Anyway", "__Cancel"}));
  EXPECT_TRUE(ui.fileRequests.empty());
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(Store().TopPopup(), popup);
  ui.fileAnswers.clear();

  // A folder that is not there: the popup stays for another try.
  ui.questionAnswers = {1, 1};
  ui.fileAnswers.push_back({VAL_NEW_FILE_SELECTED, folder.Path("missing/board.sh")});
  ASSERT_EQ(Store().PressButton(popup, exportpnl::EXPORT), UIE_NO_ERROR);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "Register Export Error");
  EXPECT_EQ(Store().TopPopup(), popup);

  ui.fileAnswers.push_back({VAL_NEW_FILE_SELECTED, path});
  ASSERT_EQ(Store().PressButton(popup, exportpnl::EXPORT), UIE_NO_ERROR);
  EXPECT_EQ(Store().TopPopup(), 0);
  EXPECT_EQ(ui.fileRequests.back().defaultFileSpec, "qv3380_registers.sh");
  const std::string text = test::ReadText(path);
  EXPECT_NE(text.find("i2cset -y \"$BUS\" 0x40 0x18 0x1E\n"), std::string::npos);
  EXPECT_NE(text.find("# Source: the panel, changed since the start of the program\n"),
            std::string::npos);
  EXPECT_NE(text.find("#   OUT0: 171.87500 MHz in map 0, 156.25000 MHz in map 1, LVPECL\n"),
            std::string::npos);
  EXPECT_NE(text.find("# WARNING: exported all the same, although the plan fails 2 checks:\n"),
            std::string::npos);
  EXPECT_EQ(SetupImage, setupImage);
  EXPECT_EQ(MenuDimmed(menubar::RESETCFG), 1);
  EXPECT_EQ(Baseline().origin, BaselineOrigin::Start);
  EXPECT_TRUE(DiffersFromBaseline());

  // Options a format cannot take are named before anything is asked or written.
  ASSERT_EQ(Choose(menubar::EXPORTREGS), UIE_NO_ERROR);
  const int again = Store().TopPopup();
  ASSERT_EQ(Store().CommitValue(again, exportpnl::FORMAT, static_cast<int>(ExportFormat::Dts)),
            UIE_NO_ERROR);
  ASSERT_EQ(Store().CommitText(again, exportpnl::BUSLABEL, "i2c 1"), UIE_NO_ERROR);
  const std::size_t asked = ui.questions.size();
  ASSERT_EQ(Store().PressButton(again, exportpnl::EXPORT), UIE_NO_ERROR);
  EXPECT_EQ(ui.messages.back().text,
            "\"i2c 1\" is not a device-tree label: letters, digits and _, not starting with a "
            "digit (such as i2c1).\nNothing was written.");
  EXPECT_EQ(ui.questions.size(), asked);
}

TEST_F(Handoff, ImportRegistersOpensAnUnsavedPlanInOneUndoStep) {
  StartOffline();
  ASSERT_EQ(Commit(MARGIN, 1), UIE_NO_ERROR);
  const std::string saved = folder.Path("board.stp");
  ui.fileAnswers.push_back({VAL_NEW_FILE_SELECTED, saved});
  ASSERT_EQ(Choose(menubar::EXPORT), UIE_NO_ERROR);
  const PanelConfiguration before = CapturePanelConfiguration();
  const RegisterImage setupImage = SetupImage;

  const std::string refused = folder.Path("notes.txt");
  test::WriteText(refused, "nothing here\n");
  ChooseWithFile(menubar::IMPORTREGS, refused);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "Register Import Error");
  EXPECT_TRUE(ui.messages[0].text.ends_with("\nNothing was changed."));
  EXPECT_TRUE(SameConfiguration(CapturePanelConfiguration(), before));
  EXPECT_EQ(OpenSetupFile(), saved);

  const std::string dump = folder.Path("dump.txt");
  test::WriteText(dump,
                  "     0  1  2  3  4  5  6  7  8  9  a  b  c  d  e  f    0123456789abcdef\n"
                  "10: 00 00 00 00 00 00 00 00 16 00 00 00 10 d0 00 00    ................\n"
                  "30: 14 84 85 16 00 00 00 88 46 75 45 00 00 00 00 38    ........FuE....8\n");
  ChooseWithFile(menubar::IMPORTREGS, dump);
  EXPECT_EQ(ui.fileRequests.back().title, "Import Registers");
  EXPECT_EQ(Value(PLL1_N), 102);
  EXPECT_EQ(Value(OUT3D_M), 8);
  EXPECT_EQ(Value(Pll1OutputFormat), 5);
  EXPECT_EQ(Value(MARGIN), 1) << "the pins stay";
  EXPECT_EQ(SetupImage, setupImage);
  EXPECT_EQ(OpenSetupFile(), "") << "no setup file holds the plan yet";
  EXPECT_TRUE(HasUnsavedChanges());
  EXPECT_EQ(Baseline().origin, BaselineOrigin::Imported);
  EXPECT_FALSE(DiffersFromBaseline());
  std::string summary;
  GetCtrlVal(Store().TopPopup(), listpnl::SUMMARY, &summary);
  EXPECT_EQ(summary,
            "Imported 21 registers from dump.txt (i2cdump, byte mode). The pins and reference "
            "settings stay.");
  const TableContents notes = PopupList();
  ASSERT_FALSE(notes.rows.empty());
  EXPECT_EQ(notes.rows[0][0],
            "addresses outside the register table, left out: 0x10, 0x12-0x17, 0x1E, 0x3C, "
            "0x3E-0x3F");
  EXPECT_EQ(notes.rows[1][0], "ADV0 (0x22) is not in the input: its default 0x84 is used");
  ASSERT_EQ(Store().PressButton(Store().TopPopup(), listpnl::CLOSE), UIE_NO_ERROR);

  ASSERT_EQ(Choose(menubar::UNDO), UIE_NO_ERROR);
  EXPECT_TRUE(SameConfiguration(CapturePanelConfiguration(), before)) << "one step undoes it all";
  EXPECT_EQ(OpenSetupFile(), saved);
  EXPECT_FALSE(HasUnsavedChanges());
}

}  // namespace
}  // namespace qv
