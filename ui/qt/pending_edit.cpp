#include "ui/qt/pending_edit.h"

#include <QApplication>
#include <QWidget>

#include "ui/qt/panel_canvas.h"

namespace qv::qt {

void CommitFocusedEdit() {
  // The focus may sit in a part of the control's widget (a spin box's editor).
  for (QWidget* widget = QApplication::focusWidget(); widget; widget = widget->parentWidget()) {
    if (auto* canvas = dynamic_cast<PanelCanvas*>(widget->parentWidget())) {
      if (ControlView* view = canvas->ViewOf(widget)) view->CommitPendingEdit();
      return;
    }
  }
}

}  // namespace qv::qt
