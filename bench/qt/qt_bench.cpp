// What the user waits for: a divider change until every widget shows the
// new plan, and start-up until the first frame of both windows is drawn.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QSpinBox>
#include <memory>

#include "app/startup.h"
#include "model/program_state.h"
#include "ui/callback_registry.h"
#include "ui/panel_ids.h"
#include "ui/panel_store.h"
#include "ui/qt/panel_canvas.h"
#include "ui/qt/panel_windows.h"
#include "ui/qt/qt_front_end.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

char kName[] = "qt_bench";
char* kArgv[] = {kName, nullptr};

// Counts the paints a widget receives.
class PaintCounter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
  int paints = 0;
};

struct Program {
  Program() {
    Store().Clear();
    OpMode = OPMODE_UNCHOSEN;
    ui = std::make_unique<qt::QtFrontEnd>();
    ui->SetSleeper([](double) {});
    InstallFrontEnd(ui.get());
    InitUserInterface(1, kArgv);
    RegisterProgramCallbacks();
  }
  ~Program() {
    InstallFrontEnd(nullptr);
    ui.reset();
    Store().Clear();
  }
  std::unique_ptr<qt::QtFrontEnd> ui;
};

// One output divider typed in offline: the handler, the whole recomputation,
// and every widget it touches brought up to date.
void BM_DividerCommitToUpdatedWidgets(benchmark::State& state) {
  Program program;
  StartProgram();
  Store().PressButton(startupPanelHandle, startuppnl::RUNOFFLINE);
  QCoreApplication::processEvents();
  auto* spin =
      qobject_cast<QSpinBox*>(program.ui->Window(panelHandle)->Canvas()->View(OUT0D)->widget());
  int value = 4;
  for (auto _ : state) {
    value = value == 4 ? 5 : 4;
    Store().CommitValue(panelHandle, OUT0D, value);
    benchmark::DoNotOptimize(spin->value());
  }
  if (spin->value() != value) state.SkipWithError("the widget did not follow the store");
}
BENCHMARK(BM_DividerCommitToUpdatedWidgets)->Unit(benchmark::kMicrosecond);

// The same, and the repaint that puts it on screen.
void BM_DividerCommitToRepaintedPanel(benchmark::State& state) {
  Program program;
  StartProgram();
  Store().PressButton(startupPanelHandle, startuppnl::RUNOFFLINE);
  QWidget* main = program.ui->Window(panelHandle)->Window();
  QCoreApplication::processEvents();
  int value = 4;
  for (auto _ : state) {
    value = value == 4 ? 5 : 4;
    Store().CommitValue(panelHandle, OUT0D, value);
    main->repaint();
  }
}
BENCHMARK(BM_DividerCommitToRepaintedPanel)->Unit(benchmark::kMicrosecond);

// What keeping the windows alive adds to each chip transfer: the bridge call
// on a thread of its own while this one paints (here a call that returns at
// once, so all of it is the added cost).
void BM_TransferKeepingTheWindowsAlive(benchmark::State& state) {
  Program program;
  StartProgram();
  QCoreApplication::processEvents();
  for (auto _ : state) benchmark::DoNotOptimize(RunBlockingCall([] { return 0; }));
}
BENCHMARK(BM_TransferKeepingTheWindowsAlive)->Unit(benchmark::kMicrosecond);

// From the program's start (the application object exists, as after its
// first line) to both windows drawn once.
void BM_StartupToFirstFrame(benchmark::State& state) {
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    Program program;
    StartProgram();
    PaintCounter mainPaints, popupPaints;
    // The panels cover their windows, so their paint is the window's frame.
    program.ui->Window(panelHandle)->Canvas()->installEventFilter(&mainPaints);
    program.ui->Window(startupPanelHandle)->Canvas()->installEventFilter(&popupPaints);
    while (mainPaints.paints == 0 || popupPaints.paints == 0) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
  }
}
BENCHMARK(BM_StartupToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace qv

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::benchmark::Initialize(&argc, argv);
  ::benchmark::RunSpecifiedBenchmarks();
  ::benchmark::Shutdown();
  return 0;
}
