#include "tests/qt/qt_program_fixture.h"

#include <QApplication>
#include <QTest>
#include <QWindow>

#include "app/startup.h"
#include "tests/support/program_fixture.h"
#include "tests/support/recording_bridge.h"
#include "ui/callback_registry.h"
#include "ui/panel_defs.h"

namespace qv::test {
namespace {

std::vector<CallbackCall> g_calls;
std::map<int, CtrlCallbackPtr> g_spied;  // control -> the program's own callback

int SpyCallback(int panel, int control, int event, void* data, int data1, int data2) {
  g_calls.push_back({control, event});
  auto found = g_spied.find(control);
  if (found != g_spied.end() && found->second) {
    return found->second(panel, control, event, data, data1, data2);
  }
  return 0;
}

}  // namespace

void QtProgramTest::SetUp() {
  ResetProgramState();
  Bridge().Reset();
  g_calls.clear();
  g_spied.clear();
  ui = std::make_unique<qt::QtFrontEnd>();
  keptSettings = std::make_unique<SettingsFileStore>(
      settings.filePath(QStringLiteral("qv3380_gui.conf")).toStdString());
  InstallSettingsStore(keptSettings.get());
  ui->SetSleeper([this](double seconds) {
    pauses.push_back(seconds);
    Bridge().RecordDelay(seconds);
  });
  ui->SetExitHandler([this](int status) { exitStatus = status; });
  // No dialog may wait for a user who is not there.
  ui->dialogs().SetRunner([](QDialog&) { return int(QDialog::Rejected); });
  InstallFrontEnd(ui.get());
  char name[] = "qt_tests";
  char* argv[] = {name, nullptr};
  ASSERT_EQ(InitUserInterface(1, argv), 1);
  RegisterProgramCallbacks();
}

void QtProgramTest::TearDown() {
  InstallSettingsStore(nullptr);
  InstallFrontEnd(nullptr);
  ui.reset();
  Store().Clear();
  ClearCallbackRegistry();
}

void QtProgramTest::TypeInto(QWidget* widget, const QString& text) {
  widget->setFocus();
  QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(widget, text);
}

void QtProgramTest::SpyOn(std::initializer_list<int> controls) {
  ASSERT_EQ(panelHandle, 0) << "spy before the panels load";
  const PanelDef& main = *FindPanelDef(MAIN_PANEL_FILE, PANEL);
  for (int control : controls) {
    const ControlDef* def = FindControlDef(main, control);
    ASSERT_NE(def, nullptr);
    ASSERT_FALSE(def->callback.empty()) << def->constant;
    g_spied[control] = FindCtrlCallback(def->callback);
  }
  // Controls that share a spied callback name (the pin rings) reach the spy
  // too; it forwards each to the program's own callback.
  std::vector<CallbackBinding> bindings;
  std::vector<int> spied;
  for (const auto& entry : g_spied) spied.push_back(entry.first);
  for (int control : spied) {
    const ControlDef* def = FindControlDef(main, control);
    bindings.push_back({def->callback, CtrlCallbackPtr{SpyCallback}});
    for (const ControlDef& other : main.controls) {
      if (other.callback == def->callback) g_spied.try_emplace(other.id, g_spied[control]);
    }
  }
  RegisterCallbacks(bindings);
}

std::vector<CallbackCall> QtProgramTest::Commits() const {
  std::vector<CallbackCall> commits;
  for (const CallbackCall& call : g_calls) {
    if (call.event == EVENT_COMMIT) commits.push_back(call);
  }
  return commits;
}

void QtProgramTest::Start() {
  StartProgram();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(MainWindow()));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(PopupWindow(startupPanelHandle)));
}

void QtProgramTest::StartOffline() {
  Start();
  Click(Widget<QWidget>(startuppnl::RUNOFFLINE, startupPanelHandle));
  ASSERT_EQ(OpMode, OPMODE_OFFLINE);
}

QMainWindow* QtProgramTest::MainWindow() const {
  qt::PanelWindow* window = Window(panelHandle);
  return window ? qobject_cast<QMainWindow*>(window->Window()) : nullptr;
}

QWidget* QtProgramTest::PopupWindow(int panel) const {
  qt::PanelWindow* window = Window(panel);
  return window ? window->Window() : nullptr;
}

QLabel* QtProgramTest::Label(int control) const {
  qt::ControlView* view = Window(panelHandle)->Canvas()->View(control);
  return view ? view->label() : nullptr;
}

void QtProgramTest::Click(QWidget* widget) {
  ASSERT_NE(widget, nullptr);
  QWidget* window = widget->window();
  const QPoint where = widget->mapTo(window, widget->rect().center());
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, where);
  Settle();
}

void QtProgramTest::Settle() { QCoreApplication::processEvents(); }

const ControlState& QtProgramTest::State(int control, int panel) const {
  const ControlState* state = Store().Find(panel)->control(control);
  EXPECT_NE(state, nullptr);
  return *state;
}

}  // namespace qv::test
