// The panels as drawn: everything inside its panel, nothing on top of
// anything else, every text within its box, Tab in reading order.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <memory>
#include <set>

#include "plan/solver_report.h"
#include "plan/ssc_report.h"
#include "ui/panel_defs.h"
#include "ui/panel_ids.h"
#include "ui/panel_store.h"
#include "ui/qt/look.h"
#include "ui/qt/panel_canvas.h"
#include "ui/qt/panel_geometry.h"

namespace qv {

void PrintTo(const PanelDef* panel, std::ostream* out);

namespace qt {
namespace {

struct Placed {
  const ControlDef* def;
  QRect rect;
  bool label;
  std::string Name() const { return std::string(def->constant) + (label ? " (label)" : ""); }
};

std::vector<Placed> Placements(const PanelDef& panel) {
  const QFontMetrics metrics(PanelFont());
  std::vector<Placed> placed;
  for (const ControlDef& control : panel.controls) {
    placed.push_back({&control, ToQRect(control.rect), false});
    bool ownLabel = control.kind != ControlKind::CommandButton &&
                    control.kind != ControlKind::ToggleButton && !control.label.empty();
    if (ownLabel) placed.push_back({&control, LabelGeometry(control, metrics), true});
  }
  return placed;
}

bool Frame(const Placed& p) { return p.def->kind == ControlKind::Decoration && !p.label; }

// The notice that spread spectrum is off takes the place of its three results.
bool SharesPlaceOnPurpose(const Placed& a, const Placed& b) {
  static const std::set<int> kResults{TXT_SSCG_DOWNSPREAD, TXT_SSCG_FMOD, TXT_FRACRANGE};
  auto pair = [&](const Placed& x, const Placed& y) {
    return x.def->id == LBL_SSCG_DISABLED && kResults.contains(y.def->id);
  };
  return pair(a, b) || pair(b, a);
}

class PanelLayout : public ::testing::TestWithParam<const PanelDef*> {
 protected:
  void SetUp() override {
    Store().Clear();
    handle_ = Store().Load(GetParam()->fileName, GetParam()->resourceId);
    canvas_ = std::make_unique<PanelCanvas>(*Store().Find(handle_), nullptr);
  }
  void TearDown() override {
    canvas_.reset();
    Store().Clear();
  }
  int handle_ = 0;
  std::unique_ptr<PanelCanvas> canvas_;
};

TEST_P(PanelLayout, EverythingLiesInsideThePanel) {
  const QRect panel(0, 0, GetParam()->width, GetParam()->height);
  for (const Placed& p : Placements(*GetParam())) {
    EXPECT_FALSE(p.rect.isEmpty()) << p.Name();
    EXPECT_TRUE(panel.contains(p.rect)) << p.Name();
  }
}

TEST_P(PanelLayout, NothingOverlapsExceptWhatAFrameHolds) {
  const std::vector<Placed> placed = Placements(*GetParam());
  for (std::size_t i = 0; i < placed.size(); ++i) {
    for (std::size_t j = i + 1; j < placed.size(); ++j) {
      const Placed& a = placed[i];
      const Placed& b = placed[j];
      if (!a.rect.intersects(b.rect) || SharesPlaceOnPurpose(a, b)) continue;
      // A frame holds what lies wholly inside it, clear of its 2-pixel line.
      if (Frame(a) && a.rect.adjusted(2, 2, -2, -2).contains(b.rect)) continue;
      if (Frame(b) && b.rect.adjusted(2, 2, -2, -2).contains(a.rect)) continue;
      ADD_FAILURE() << a.Name() << " overlaps " << b.Name();
    }
  }
}

TEST_P(PanelLayout, EveryTextFitsItsBox) {
  const QFontMetrics metrics(PanelFont());
  auto fits = [&](const QString& text, const QRect& box, int marginX) {
    const QRect needed = metrics.boundingRect(QRect(0, 0, 10000, 10000), Qt::AlignLeft, text);
    return needed.width() + marginX <= box.width() && needed.height() <= box.height();
  };
  for (const ControlDef& control : GetParam()->controls) {
    SCOPED_TRACE(std::string(control.constant));
    ControlView* view = canvas_->View(control.id);
    QWidget* widget = view->widget();
    if (QLabel* label = view->label()) {
      EXPECT_TRUE(fits(label->text().remove('&'), label->geometry(), 0)) << "label";
    }
    switch (control.kind) {
      case ControlKind::TextMessage:
        EXPECT_TRUE(fits(ToQString(control.initialText), widget->geometry(), 0));
        break;
      case ControlKind::StringBox:
        // The line edit's frame and text margins take 4 pixels a side.
        EXPECT_TRUE(fits(ToQString(control.initialText), widget->geometry(), 8));
        break;
      case ControlKind::Ring:
      case ControlKind::Numeric:
      case ControlKind::CommandButton:
      case ControlKind::ToggleButton:
      case ControlKind::OnOffSwitch:
        EXPECT_GE(widget->width(), widget->sizeHint().width());
        EXPECT_GE(widget->height(), metrics.height() + 6);
        break;
      default: break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllPanels, PanelLayout,
                         ::testing::Values(FindPanelDef(MAIN_PANEL_FILE, PANEL),
                                           FindPanelDef(STARTUP_PANEL_FILE, STARTUPPNL),
                                           FindPanelDef(ABOUT_PANEL_FILE, ABOUT),
                                           FindPanelDef(PLAN_PANEL_FILE, PLANPNL),
                                           FindPanelDef(SSC_PANEL_FILE, SSCPNL),
                                           FindPanelDef(REGMAP_PANEL_FILE, REGMAPPNL),
                                           FindPanelDef(LIST_PANEL_FILE, LISTPNL),
                                           FindPanelDef(NOTE_PANEL_FILE, NOTEPNL),
                                           FindPanelDef(EXPORT_PANEL_FILE, EXPORTPNL),
                                           FindPanelDef(CLOCK_TREE_PANEL_FILE, CLOCKPNL)),
                         [](const auto& info) { return std::string(info.param->constant); });

// The planners' result cells hold the widest text they can be given.
TEST(PlannerLayout, ResultCellsFitTheirWidestText) {
  SolverResult plan;
  plan.plls[1] = {true, 143, 4094, 4095, 2.5e9};
  plan.outputs[3] = {true, false, 637.5e6, 637.123456e6, 99999.999, true, 6, 32};
  SscPlan ssc;
  ssc.request = MakeSscRequest(-0.5, 31500);
  ssc.fmodErrorHz = -99999.9;
  ssc.depthErrorPercent = -1.2345;
  struct Case {
    const char* panel;
    int control;
    std::string text;
  };
  const Case cases[] = {
      {PLAN_PANEL_FILE, planpnl::DIVIDERS0 + 3, FormatDividers(plan, 3)},
      {PLAN_PANEL_FILE, planpnl::ACHIEVED0 + 3, FormatMhz(plan.outputs[3].achieved)},
      {PLAN_PANEL_FILE, planpnl::ERROR0 + 3, "-99999.999"},
      {SSC_PANEL_FILE, sscpnl::FMOD_ERROR, FormatFmodError(ssc)},
      {SSC_PANEL_FILE, sscpnl::DEPTH_ACHIEVED, FormatDepth(-4.1667)},
      {SSC_PANEL_FILE, sscpnl::FMOD_ACHIEVED, FormatFmod(6.25e6)},
  };
  const QFontMetrics metrics(PanelFont());
  for (const Case& c : cases) {
    const ControlDef* def = FindControlDef(*FindPanelDef(c.panel, 1), c.control);
    // The line edit's frame and text margins take 4 pixels a side.
    EXPECT_LE(metrics.horizontalAdvance(ToQString(c.text)) + 8, def->rect.width)
        << def->constant << ": " << c.text;
  }
}

std::vector<int> TabChain(const PanelCanvas& canvas, const PanelDef& panel) {
  std::map<QWidget*, int> ids;
  for (const ControlDef& control : panel.controls)
    ids[canvas.View(control.id)->widget()] = control.id;
  const std::vector<const ControlDef*> order = ReadingOrder(panel);
  QWidget* first = canvas.View(order.front()->id)->widget();
  std::vector<int> chain;
  QWidget* widget = first;
  do {
    auto found = ids.find(widget);
    if (found != ids.end() && (widget->focusPolicy() & Qt::TabFocus))
      chain.push_back(found->second);
    widget = widget->nextInFocusChain();
  } while (widget != first && chain.size() <= panel.controls.size());
  return chain;
}

TEST(MainPanelLayout, TabFollowsReadingOrder) {
  Store().Clear();
  const PanelDef& def = *FindPanelDef(MAIN_PANEL_FILE, PANEL);
  PanelCanvas canvas(*Store().Find(Store().Load(def.fileName, def.resourceId)), nullptr);
  const std::vector<int> chain = TabChain(canvas, def);

  std::set<int> focusable;
  for (const ControlDef& control : def.controls) {
    if (TakesFocus(control)) focusable.insert(control.id);
  }
  EXPECT_EQ(std::set<int>(chain.begin(), chain.end()), focusable);
  EXPECT_EQ(chain.size(), focusable.size()) << "each control once";

  auto position = [&](int id) { return std::ranges::find(chain, id) - chain.begin(); };
  // Pins, reference, spread spectrum; the maps row by row, map 0 first; then
  // outputs and the chip buttons.
  // clang-format off
  const std::vector<int> expected{
      REFSEL,  MARGIN,    SSCG,      MAXBW,     REFFREQ,   REFDIV,           CrystalFreq,
      FRACSTEP, NUMSTEP,  CKDIV,     PLL1_N,    OUT0V,     OUT0D,            OUT1V,
      OUT1D,   PLL2_N,    PLL2_FRAC, PLL2_MOD,  OUT2V,     OUT2D,            OUT3V,
      OUT3D,   PLL1N_M,   OUT0V_M,   OUT0D_M,   OUT1V_M,   OUT1D_M,          PLL2N_M,
      PLL2FRACM, PLL2MODM, OUT2V_M,  OUT2D_M,   OUT3V_M,   OUT3D_M,          PLL1POWER,
      PLL2POWER, CH0POWER, CH1POWER, CH2POWER,  CH3POWER,  REFPOWER,         BLEEDSDM,
      Pll1OutputFormat,   PLL1SYNC,  Pll2OutputFormat,     PLL2SYNC,         CheckConnectionButton,
      InitiateAcquisition, ResetRegisters};
  // clang-format on
  ASSERT_EQ(expected.size(), focusable.size());
  for (std::size_t i = 1; i < expected.size(); ++i) {
    EXPECT_LT(position(expected[i - 1]), position(expected[i]))
        << FindControlDef(def, expected[i - 1])->constant << " before "
        << FindControlDef(def, expected[i])->constant;
  }
  Store().Clear();
}

}  // namespace
}  // namespace qt

// Names the panel in test output instead of printing its address.
void PrintTo(const PanelDef* panel, std::ostream* out) { *out << panel->constant; }

}  // namespace qv
