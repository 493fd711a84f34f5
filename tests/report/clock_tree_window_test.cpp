// View > Clock Tree and File > Export Report... as a user meets them: the
// window follows every edit in the panel's own colours, hides when closed
// while the panel goes on, and exports what it shows.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/clock_tree_window.h"
#include "app/report_export.h"
#include "base/text_format.h"
#include "plan/panel/frequency_maps.h"
#include "report/svg_writer.h"
#include "tests/files/temp_folder.h"
#include "tests/report/painter_environment.h"
#include "tests/report/svg_groups.h"
#include "tests/support/program_fixture.h"
#include "ui/panel_ids.h"

namespace qv {
namespace {

using test::ReadText;

class ClockTreeWindow : public test::ProgramTest {
 protected:
  void Open() {
    ASSERT_EQ(Choose(menubar::CLOCKTREE), UIE_NO_ERROR);
    ASSERT_NE(ClockTreePanel(), 0);
  }
  bool Shown() const {
    return std::ranges::find(ui.shownPanels, ClockTreePanel()) != ui.shownPanels.end();
  }
  std::shared_ptr<const Scene> Diagram() const {
    std::shared_ptr<const Scene> scene;
    EXPECT_EQ(GetCtrlVal(ClockTreePanel(), clockpnl::DIAGRAM, &scene), UIE_NO_ERROR);
    return scene;
  }
  std::map<std::string, test::SvgGroup> Groups() const {
    return test::SvgGroups(report::SvgFile(*Diagram()));
  }
  std::string Background(int control) const {
    return FormatText("#%06X", Attribute(control, ATTR_TEXT_BGCOLOR));
  }
  void Restart() {
    TearDown();
    SetUp();
    StartOffline();
  }

  test::TempFolder folder;
};

// The window draws the map in use as the panel shows it: where the panel greys
// or reddens a control, the diagram does the same to its block.
TEST_F(ClockTreeWindow, EveryBlockWearsTheColourOfItsControlOnThePanel) {
  const std::vector<std::pair<const char*, std::vector<std::pair<int, int>>>> cases{
      {"defaults", {}},
      {"VCO1 too fast", {{PLL1_N, 120}}},
      {"OUT1 off", {{CH1POWER, 0}}},
      {"OUT1 on OUT0's divider", {{PLL1SYNC, 1}}},
      {"PLL2 off", {{PLL2POWER, 0}}},
      {"OUT2 too fast", {{OUT2V, 2}, {OUT2D, 1}}},
      {"CMOS OUT2 too fast", {{Pll2OutputFormat, 3}, {OUT2D, 2}}},
      {"map 1 in use, its VCO2 too fast", {{MARGIN, 1}, {PLL2N_M, 110}}},
  };
  for (const auto& [name, commits] : cases) {
    SCOPED_TRACE(name);
    Restart();
    Open();
    for (auto [control, value] : commits) ASSERT_EQ(Commit(control, value), UIE_NO_ERROR);
    const FrequencyMap& controls = MapInUse(Value(MARGIN));
    const auto groups = Groups();
    const auto fill = [&](const std::string& id) { return groups.at(id).fill; };
    for (int k = 0; k < OUTPUT_COUNT; ++k) {
      const std::string out = FormatText("out%d", k);
      EXPECT_EQ(fill(out), Background(controls.outputs[k].freqControl)) << out;
      EXPECT_EQ(fill(out + "-d"), Background(controls.outputs[k].dControl)) << out;
      EXPECT_EQ(fill(out + "-v"), Background(controls.outputs[k].vControl)) << out;
    }
    EXPECT_EQ(fill("vco1"), Background(controls.vco1Control));
    EXPECT_EQ(fill("vco2"), Background(controls.vco2Control));
    EXPECT_EQ(fill("pll1"), Background(controls.pll1NControl));
    EXPECT_EQ(fill("pll2"), Background(controls.pll2NControl));
  }
}

TEST_F(ClockTreeWindow, ClosingHidesItWhileThePanelGoesOn) {
  StartOffline();
  Open();
  const int window = ClockTreePanel();
  EXPECT_TRUE(Shown());
  EXPECT_TRUE(ui.popupsShown.empty()) << "the window is no popup: the panel stays usable";
  ASSERT_EQ(Commit(PLL1_N, 101), UIE_NO_ERROR);
  EXPECT_NE(Groups().at("pll1").title.find("PLL1 N 101"), std::string::npos) << "follows the edit";

  ASSERT_EQ(Store().PressButton(window, clockpnl::CLOSE), UIE_NO_ERROR);
  EXPECT_FALSE(Shown());
  ASSERT_EQ(Commit(PLL1_N, 102), UIE_NO_ERROR) << "the panel goes on";
  Open();
  EXPECT_EQ(ClockTreePanel(), window) << "the same window again, as it was left";
  EXPECT_TRUE(Shown());
  EXPECT_NE(Groups().at("pll1").title.find("PLL1 N 102"), std::string::npos) << "and up to date";

  ASSERT_EQ(Store().SendPanelEvent(window, EVENT_CLOSE), UIE_NO_ERROR);  // the close box
  EXPECT_FALSE(Shown());
  EXPECT_EQ(Commit(PLL1_N, 100), UIE_NO_ERROR);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ClockTreeWindow, ShowsTheOtherMapOnRequest) {
  StartOffline();
  Open();
  const int window = ClockTreePanel();
  ASSERT_EQ(Store().CommitValue(window, clockpnl::MAP, 2), UIE_NO_ERROR);
  EXPECT_EQ(Diagram()->title, "Clock tree, Map 1 (MARGIN high)");
  ASSERT_EQ(Commit(MARGIN, 1), UIE_NO_ERROR);
  ASSERT_EQ(Store().CommitValue(window, clockpnl::MAP, 1), UIE_NO_ERROR);
  EXPECT_EQ(Diagram()->title, "Clock tree, Map 0 (MARGIN low)");
  ASSERT_EQ(Store().CommitValue(window, clockpnl::MAP, 0), UIE_NO_ERROR);
  EXPECT_EQ(Diagram()->title, "Clock tree, Map 1 (MARGIN high)") << "the map MARGIN selects";
}

TEST_F(ClockTreeWindow, ExportsWhatItShowsAndSaysWhyWhenItCannot) {
  StartOffline();
  Open();
  const int window = ClockTreePanel();
  const std::string svg = folder.Path("tree.svg");
  ui.fileAnswers.push_back({VAL_NEW_FILE_SELECTED, svg});
  ASSERT_EQ(Store().PressButton(window, clockpnl::EXPORTSVG), UIE_NO_ERROR);
  EXPECT_EQ(ReadText(svg), report::SvgFile(*Diagram()));
  EXPECT_EQ(ui.fileRequests.back().defaultFileSpec, "qv3380_clock_tree.svg");

  const std::string png = folder.Path("tree.png");
  ui.fileAnswers.push_back({VAL_NEW_FILE_SELECTED, png});
  ASSERT_EQ(Store().PressButton(window, clockpnl::EXPORTPNG), UIE_NO_ERROR);
  ASSERT_EQ(ui.messages.size(), 1u) << "no painter installed";
  EXPECT_EQ(ui.messages[0].title, "Clock Tree Export Error");
  EXPECT_EQ(ui.messages[0].text,
            std::string(CLOCK_TREE_EXPORT_ERROR) + "\n" + png + ": " + NO_PICTURE_RENDERER);
  if (test::Painter()) {
    test::WithPainter painter;
    ui.fileAnswers.push_back({VAL_NEW_FILE_SELECTED, png});
    ASSERT_EQ(Store().PressButton(window, clockpnl::EXPORTPNG), UIE_NO_ERROR);
    EXPECT_EQ(ReadText(png).substr(0, 8), "\x89PNG\r\n\x1a\n");
  }

  const std::string nowhere = folder.Path("missing/tree.svg");
  ui.fileAnswers.push_back({VAL_NEW_FILE_SELECTED, nowhere});
  ASSERT_EQ(Store().PressButton(window, clockpnl::EXPORTSVG), UIE_NO_ERROR);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_TRUE(
      ui.messages[1].text.starts_with(std::string(CLOCK_TREE_EXPORT_ERROR) + "\n" + nowhere + ": "))
      << ui.messages[1].text;
}

TEST_F(ClockTreeWindow, FileExportReportWritesTheKindItsNameSays) {
  StartOffline();
  const std::string md = folder.Path("review.md");
  ui.fileAnswers.push_back({VAL_NEW_FILE_SELECTED, md});
  ASSERT_EQ(Choose(menubar::EXPORTREPORT), UIE_NO_ERROR);
  EXPECT_TRUE(ui.messages.empty());
  const FileRequest& request = ui.fileRequests.back();
  EXPECT_EQ(request.defaultFileSpec, REPORT_DEFAULT_NAME);
  EXPECT_EQ(request.fileTypeList, REPORT_FILE_TYPES);
  EXPECT_EQ(request.buttonKind, VAL_SAVE_BUTTON);
  std::string problem;
  EXPECT_EQ(ReadText(md), CurrentReportFile(report::FileKind::Markdown, "", MAP_IN_USE, &problem));
  EXPECT_NE(ReadText(md).find("| Source file | none: the settings the program holds |"),
            std::string::npos);

  // The report menu writes reports only; the clock tree has its own window.
  for (const char* name : {"review.txt", "review.svg"}) {
    const std::string path = folder.Path(name);
    ui.messages.clear();
    ui.fileAnswers.push_back({VAL_NEW_FILE_SELECTED, path});
    ASSERT_EQ(Choose(menubar::EXPORTREPORT), UIE_NO_ERROR);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Report Export Error");
    EXPECT_EQ(ui.messages[0].text, std::string(REPORT_EXPORT_ERROR) + "\n" + path +
                                       ": the name does not end in .pdf, .html or .md");
    EXPECT_FALSE(std::filesystem::exists(path));
  }
}

}  // namespace
}  // namespace qv
