#pragma once
// The program's logic over the Qt front end and the recording bridge: the
// real windows, driven with QTest as a user would.

#include <gtest/gtest.h>

#include <QLabel>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/panel/kept_settings.h"
#include "model/program_state.h"
#include "ui/panel_ids.h"
#include "ui/panel_store.h"
#include "ui/qt/panel_canvas.h"
#include "ui/qt/panel_windows.h"
#include "ui/qt/qt_front_end.h"

namespace qv::test {

// What reached a control callback, in order.
struct CallbackCall {
  int control;
  int event;
  bool operator==(const CallbackCall&) const = default;
};

class QtProgramTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Start-up as ProgramMain runs it, short of the event loop.
  void Start();
  // Start, then a mouse click on the popup's Offline button.
  void StartOffline();

  // Records every callback of these controls (and still runs the program's own).
  void SpyOn(std::initializer_list<int> controls);
  std::vector<CallbackCall> Commits() const;

  qt::PanelWindow* Window(int panel) const { return ui->Window(panel); }
  QMainWindow* MainWindow() const;
  QWidget* PopupWindow(int panel) const;
  template <typename W>
  W* Widget(int control, int panel = panelHandle) const {
    qt::PanelWindow* window = Window(panel);
    qt::ControlView* view = window ? window->Canvas()->View(control) : nullptr;
    W* widget = view ? qobject_cast<W*>(view->widget()) : nullptr;
    EXPECT_NE(widget, nullptr) << "control " << control << " of panel " << panel;
    return widget;
  }
  QLabel* Label(int control) const;

  // A left click where the user would make it: through the window, so a
  // modal popup stops it as it stops a real click.
  void Click(QWidget* widget);
  void Settle();
  // Focuses the widget and replaces its text by typing, as a user does; no Enter.
  static void TypeInto(QWidget* widget, const QString& text);

  const ControlState& State(int control, int panel = panelHandle) const;

  // Settings of this test's own: no window remembers another test's place.
  // The file lives as long as the test, through a TearDown and SetUp.
  QTemporaryDir settings;
  std::unique_ptr<SettingsFileStore> keptSettings;
  std::unique_ptr<qt::QtFrontEnd> ui;
  std::vector<double> pauses;
  std::optional<int> exitStatus;
};

}  // namespace qv::test
