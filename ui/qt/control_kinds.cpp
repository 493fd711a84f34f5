// The widget for each kind of control, and how each shows the store's state.

#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolTip>
#include <algorithm>
#include <utility>

#include "ui/qt/control_view.h"
#include "ui/qt/look.h"
#include "ui/qt/on_off_switch.h"
#include "ui/qt/pending_edit.h"
#include "ui/qt/scene_widget.h"

namespace qv::qt {
namespace {

// Text backgrounds hold through dimming; text colours give way to one
// dimmed grey, so a dimmed control reads as dimmed and still reads.
void MirrorTextColors(QWidget* widget, const ControlState& state, QPalette::ColorRole background,
                      QPalette::ColorRole text) {
  QPalette palette = widget->palette();
  SetRole(palette, background, ToQColor(state.textBgColor), Groups::All);
  SetRole(palette, text, ToQColor(state.textColor), Groups::Enabled);
  palette.setColor(QPalette::Disabled, text, ToQColor(kDimmedTextRgb));
  SetPaletteIfChanged(widget, palette);
}

Qt::Alignment ToQtAlignment(TextAlign align) {
  switch (align) {
    case TextAlign::Center: return Qt::AlignHCenter;
    case TextAlign::Right: return Qt::AlignRight;
    case TextAlign::Left:
    default: return Qt::AlignLeft;
  }
}

QLabel* MakeLabel(const ControlDef& def, QWidget* canvas) {
  if (def.label.empty()) return nullptr;
  return new QLabel(MnemonicText(def.label), canvas);
}

int Commit(int panel, int control, int value) { return Store().CommitValue(panel, control, value); }

// A click, or a mnemonic that leaves the focus in a field.
int Press(int panel, int control, int value) {
  CommitFocusedEdit();
  return Commit(panel, control, value);
}

class ButtonView final : public ControlView {
 public:
  ButtonView(const ControlDef& def, int panel, QWidget* canvas)
      : ButtonView(def, panel, new QPushButton(MnemonicText(def.label), canvas)) {}

 private:
  ButtonView(const ControlDef& def, int panel, QPushButton* button)
      : ControlView(def, button, nullptr), button_(button) {
    button_->setAutoDefault(false);
    QObject::connect(button_, &QPushButton::clicked, [panel, id = def.id] {
      CommitFocusedEdit();
      Store().PressButton(panel, id);
    });
  }
  void MirrorKind(const ControlState& state) override {
    QPalette palette = button_->palette();
    const QColor face = palette.color(QPalette::Active, QPalette::Button);
    SetRole(palette, QPalette::ButtonText, Ink(state.textColor, face), Groups::Enabled);
    SetPaletteIfChanged(button_, palette);
  }
  QPushButton* button_;
};

class RingView final : public ControlView {
 public:
  RingView(const ControlDef& def, int panel, QWidget* canvas)
      : RingView(def, panel, new QComboBox(canvas), canvas) {}

 private:
  RingView(const ControlDef& def, int panel, QComboBox* combo, QWidget* canvas)
      : ControlView(def, combo, MakeLabel(def, canvas)), combo_(combo) {
    for (const RingItem& item : def.items) combo_->addItem(ToQString(item.text), item.value);
    QObject::connect(combo_, &QComboBox::activated, [panel, id = def.id, combo](int index) {
      Commit(panel, id, combo->itemData(index).toInt());
    });
  }
  void MirrorKind(const ControlState& state) override {
    {
      QSignalBlocker block(combo_);
      const int index = combo_->findData(state.value);
      if (index != combo_->currentIndex()) combo_->setCurrentIndex(index);
    }
    // Fusion paints combo boxes with a gradient; only a style sheet renders the
    // exact colour. The palette carries the same colours for anyone who asks.
    QPalette palette = combo_->palette();
    for (auto role : {QPalette::Button, QPalette::Base}) {
      SetRole(palette, role, ToQColor(state.textBgColor), Groups::All);
    }
    for (auto role : {QPalette::ButtonText, QPalette::Text}) {
      SetRole(palette, role, ToQColor(state.textColor), Groups::Enabled);
    }
    SetPaletteIfChanged(combo_, palette);
    // The native drop-down button draws a bevel over a styled face: ours
    // is flat, with its own arrow.
    SetStyleSheetIfChanged(
        combo_, QStringLiteral("QComboBox { background-color: %1; color: %2;"
                               " border: 1px solid #8c8c8c; border-radius: 2px;"
                               " padding: 1px 4px; }"
                               " QComboBox:focus { border: 1px solid #308cc6; }"
                               " QComboBox:disabled { color: %3; }"
                               " QComboBox::drop-down { border: none; width: 18px; }"
                               " QComboBox::down-arrow { image: url(:/qv3380/arrow.png); }"
                               " QComboBox::down-arrow:disabled"
                               " { image: url(:/qv3380/arrow-dimmed.png); }"
                               // The list reads the same on any desktop palette.
                               " QComboBox QAbstractItemView { background-color: white;"
                               " color: black; selection-background-color: #308cc6;"
                               " selection-color: white; }")
                    .arg(ToQColor(state.textBgColor).name(), ToQColor(state.textColor).name(),
                         ToQColor(kDimmedTextRgb).name()));
  }
  QComboBox* combo_;
};

class NumericView final : public ControlView {
 public:
  NumericView(const ControlDef& def, int panel, QWidget* canvas)
      : NumericView(def, panel, new QSpinBox(canvas), canvas) {}

 private:
  NumericView(const ControlDef& def, int panel, QSpinBox* spin, QWidget* canvas)
      : ControlView(def, spin, MakeLabel(def, canvas)), spin_(spin) {
    spin_->setKeyboardTracking(false);
    spin_->setSingleStep(def.step);
    spin_->setRange(def.minValue, def.maxValue);
    spin_->setAlignment(Qt::AlignRight);
    QObject::connect(spin_, &QSpinBox::valueChanged,
                     [panel, id = def.id](int value) { Commit(panel, id, value); });
  }
  // Reading the typed text emits valueChanged when it differs: the commit.
  void CommitPendingEdit() override { spin_->interpretText(); }
  void MirrorKind(const ControlState& state) override {
    {
      // A range change that clamps emits valueChanged as well. A value the
      // program set beyond the range is shown as it is: the range widens to it.
      QSignalBlocker block(spin_);
      const int low = std::min(state.minValue, state.value);
      const int high = std::max(state.maxValue, state.value);
      if (spin_->minimum() != low || spin_->maximum() != high) spin_->setRange(low, high);
      if (spin_->value() != state.value) spin_->setValue(state.value);
    }
    MirrorTextColors(spin_, state, QPalette::Base, QPalette::Text);
  }
  QSpinBox* spin_;
};

class StringBoxView final : public ControlView {
 public:
  StringBoxView(const ControlDef& def, int panel, QWidget* canvas)
      : StringBoxView(def, panel, new QLineEdit(canvas), canvas) {}

 private:
  StringBoxView(const ControlDef& def, int panel, QLineEdit* edit, QWidget* canvas)
      : ControlView(def, edit, MakeLabel(def, canvas)), edit_(edit), panel_(panel) {
    const bool typedInto = !def.callback.empty();
    edit_->setReadOnly(!typedInto);
    edit_->setAlignment(ToQtAlignment(def.textAlign) | Qt::AlignVCenter);
    // Program output can be selected and copied but is no stop for Tab.
    if (!typedInto) edit_->setFocusPolicy(Qt::ClickFocus);
    // editingFinished also fires on the focus loss after Enter, and after a
    // program write; only an edit the user made is a commit.
    QObject::connect(edit_, &QLineEdit::editingFinished, [this] { CommitEdited(); });
  }
  void CommitEdited() {
    if (!edit_->isModified()) return;
    edit_->setModified(false);
    const std::string text = edit_->text().toStdString();
    if (Store().CommitText(panel_, def().id, text) == UIE_VALUE_NOT_ALLOWED) ShowRefusal(text);
  }
  void CommitPendingEdit() override { CommitEdited(); }
  // A text the control does not take stays in the box, in red, with what the
  // box takes, until the user corrects it; the panel keeps the last text taken.
  void ShowRefusal(const std::string& text) {
    const ControlState* state = Store().Find(panel_)->control(def().id);
    if (!state || !state->textRule) return;
    const QString why = MnemonicText(state->def->label) + " takes " +
                        ToQString(state->textRule(text)) + ", not \"" + edit_->text() + "\".";
    QPalette palette = edit_->palette();
    SetRole(palette, QPalette::Base, ToQColor(kRefusedRgb), Groups::All);
    SetPaletteIfChanged(edit_, palette);
    edit_->setToolTip(why);
    QToolTip::showText(edit_->mapToGlobal(QPoint(0, edit_->height())), why, edit_);
  }
  void MirrorKind(const ControlState& state) override {
    const QString text = ToQString(state.text);
    if (edit_->text() != text) {
      QSignalBlocker block(edit_);
      edit_->setText(text);
      if (edit_->isReadOnly()) edit_->setCursorPosition(0);
    }
    MirrorTextColors(edit_, state, QPalette::Base, QPalette::Text);
  }
  QLineEdit* edit_;
  int panel_;
};

class TextView final : public ControlView {
 public:
  TextView(const ControlDef& def, int, QWidget* canvas) : TextView(def, new QLabel(canvas)) {}

 private:
  TextView(const ControlDef& def, QLabel* text) : ControlView(def, text, nullptr), text_(text) {
    text_->setTextFormat(Qt::PlainText);
    text_->setAlignment(ToQtAlignment(def.textAlign) | Qt::AlignTop);
  }
  // Text messages are drawn on the panel itself: no background of their own.
  void MirrorKind(const ControlState& state) override {
    const QString text = ToQString(state.text);
    if (text_->text() != text) text_->setText(text);
    QPalette palette = text_->palette();
    SetRole(palette, QPalette::WindowText, Ink(state.textColor, PanelColor()), Groups::Enabled);
    SetPaletteIfChanged(text_, palette);
  }
  QLabel* text_;
};

class SwitchView final : public ControlView {
 public:
  SwitchView(const ControlDef& def, int panel, QWidget* canvas)
      : SwitchView(def, panel, new OnOffSwitch(canvas), canvas) {}

 private:
  SwitchView(const ControlDef& def, int panel, OnOffSwitch* onOff, QWidget* canvas)
      : ControlView(def, onOff, MakeLabel(def, canvas)), switch_(onOff) {
    QObject::connect(switch_, &OnOffSwitch::clicked,
                     [panel, id = def.id](bool on) { Press(panel, id, on ? 1 : 0); });
  }
  void MirrorKind(const ControlState& state) override {
    {
      QSignalBlocker block(switch_);
      switch_->setChecked(state.value != 0);
    }
    // The switch paints its own light track: the logic's colours read on it.
    QPalette palette = switch_->palette();
    SetRole(palette, QPalette::ButtonText, ToQColor(state.textColor), Groups::Enabled);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, ToQColor(kDimmedTextRgb));
    SetPaletteIfChanged(switch_, palette);
  }
  OnOffSwitch* switch_;
};

class ToggleView final : public ControlView {
 public:
  ToggleView(const ControlDef& def, int panel, QWidget* canvas)
      : ToggleView(def, panel, new QPushButton(MnemonicText(def.label), canvas)) {}

 private:
  ToggleView(const ControlDef& def, int panel, QPushButton* button)
      : ControlView(def, button, nullptr), button_(button) {
    button_->setCheckable(true);
    button_->setAutoDefault(false);
    QObject::connect(button_, &QPushButton::clicked,
                     [panel, id = def.id](bool down) { Press(panel, id, down ? 1 : 0); });
  }
  void MirrorKind(const ControlState& state) override {
    {
      QSignalBlocker block(button_);
      button_->setChecked(state.value != 0);
    }
    // The logic may give both states the same colour; a raised or sunken
    // border still tells released from pressed.
    const QColor face = ToQColor(button_->isChecked() ? state.onColor : state.offColor);
    QPalette palette = button_->palette();
    SetRole(palette, QPalette::Button, face, Groups::All);
    SetRole(palette, QPalette::ButtonText, ToQColor(state.textColor), Groups::Enabled);
    SetPaletteIfChanged(button_, palette);
    SetStyleSheetIfChanged(
        button_,
        QStringLiteral("QPushButton { background-color: %1; color: %3;"
                       " border: 1px solid #8c8c8c; border-radius: 3px; padding: 2px 5px; }"
                       " QPushButton:focus { border-color: #308cc6; }"
                       " QPushButton:checked { background-color: %2;"
                       " border: 3px inset #505050; padding: 2px 1px 0px 5px; }"
                       " QPushButton:checked:focus { border-color: #1f4e79; }"
                       " QPushButton:disabled { color: %4; }")
            .arg(ToQColor(state.offColor).name(), ToQColor(state.onColor).name(),
                 ToQColor(state.textColor).name(), ToQColor(kDimmedTextRgb).name()));
  }
  QPushButton* button_;
};

class FrameView final : public ControlView {
 public:
  FrameView(const ControlDef& def, int, QWidget* canvas) : FrameView(def, new QFrame(canvas)) {}

 private:
  FrameView(const ControlDef& def, QFrame* frame)
      : ControlView(def, frame, nullptr), frame_(frame) {
    // Box|Plain draws its line in WindowText; sunken panels ignore the colour.
    frame_->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame_->setLineWidth(kLineWidth);
    frame_->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  void MirrorKind(const ControlState& state) override {
    QPalette palette = frame_->palette();
    SetRole(palette, QPalette::WindowText, ToQColor(state.frameColor), Groups::All);
    SetPaletteIfChanged(frame_, palette);
  }
  void PlaceKind(const CanvasLayout& layout) override {
    frame_->setLineWidth(layout.Length(kLineWidth));
  }
  static constexpr int kLineWidth = 2;
  QFrame* frame_;
};

class PictureView final : public ControlView {
 public:
  PictureView(const ControlDef& def, int, QWidget* canvas)
      : ControlView(def, new QLabel(canvas), nullptr),
        picture_(static_cast<QLabel*>(widget())),
        pixmap_(QStringLiteral(":/qv3380/%1.png").arg(ToQString(def.initialText))) {
    picture_->setAlignment(Qt::AlignCenter);
    Show();
  }

 private:
  void MirrorKind(const ControlState&) override {}
  void PlaceKind(const CanvasLayout&) override { Show(); }
  // Drawn from the full-size picture at the size shown, so it stays sharp.
  void Show() {
    const qreal ratio = picture_->devicePixelRatioF();
    QPixmap shown =
        pixmap_.scaled(picture_->size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    shown.setDevicePixelRatio(ratio);
    picture_->setPixmap(shown);
  }
  QLabel* picture_;
  QPixmap pixmap_;
};

class TableView final : public ControlView {
 public:
  TableView(const ControlDef& def, int panel, QWidget* canvas)
      : TableView(def, panel, new QTableWidget(canvas), canvas) {}

 private:
  TableView(const ControlDef& def, int panel, QTableWidget* table, QWidget* canvas)
      : ControlView(def, table, MakeLabel(def, canvas)), table_(table) {
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // A long log is measured by its newest rows, not all of them on every append.
    table_->horizontalHeader()->setResizeContentsPrecision(200);
    QObject::connect(table_, &QTableWidget::itemSelectionChanged, [this, panel, id = def.id] {
      chosenByPress_ = true;
      Commit(panel, id, table_->currentRow());
    });
    // Choosing the row already chosen is a commit too: its control is wanted again.
    QObject::connect(table_, &QTableWidget::cellClicked, [this, panel, id = def.id](int row, int) {
      if (!std::exchange(chosenByPress_, false)) Commit(panel, id, row);
    });
  }
  void PlaceKind(const CanvasLayout& layout) override {
    table_->horizontalHeader()->setFont(layout.font);
    table_->verticalHeader()->setDefaultSectionSize(QFontMetrics(layout.font).height() + 6);
  }
  void MirrorKind(const ControlState& state) override {
    const TableContents& contents = state.table;
    QSignalBlocker block(table_);
    bool reshaped = false;
    if (shownColumns_ != contents.columns) {
      shownColumns_ = contents.columns;
      table_->setColumnCount(static_cast<int>(contents.columns.size()));
      QStringList headers;
      for (const std::string& column : contents.columns) headers << ToQString(column);
      table_->setHorizontalHeaderLabels(headers);
      reshaped = true;
    }
    const int rows = static_cast<int>(contents.rows.size());
    if (rows != table_->rowCount()) {
      table_->setRowCount(rows);
      reshaped = true;
    }
    bool changed = reshaped;
    for (int row = 0; row < rows; ++row) {
      const int rgb = row < static_cast<int>(contents.rowColors.size()) ? contents.rowColors[row]
                                                                        : TABLE_NO_COLOR;
      for (int column = 0; column < table_->columnCount(); ++column) {
        const std::vector<std::string>& cells = contents.rows[row];
        const QString text =
            column < static_cast<int>(cells.size()) ? ToQString(cells[column]) : QString();
        QTableWidgetItem* item = table_->item(row, column);
        if (!item) {
          item = new QTableWidgetItem;
          table_->setItem(row, column, item);
        }
        if (item->text() != text) {
          item->setText(text);
          item->setToolTip(text);  // a cell too narrow for its text still tells it
          changed = true;
        }
        const QVariant background = rgb == TABLE_NO_COLOR ? QVariant() : QVariant(ToQColor(rgb));
        if (item->data(Qt::BackgroundRole) != background) {
          item->setData(Qt::BackgroundRole, background);
          // On a row of the logic's colour the palette's text may not read.
          item->setData(Qt::ForegroundRole,
                        rgb == TABLE_NO_COLOR ? QVariant() : QVariant(QColor(Qt::black)));
        }
      }
    }
    // The last column keeps what room is left.
    if (changed) {
      for (int column = 0; column + 1 < table_->columnCount(); ++column) {
        table_->resizeColumnToContents(column);
      }
    }
    if (table_->currentRow() != state.value) {
      if (state.value < 0) {
        table_->clearSelection();
        table_->setCurrentItem(nullptr);
      } else {
        // The row the program selects is the one to see.
        table_->selectRow(state.value);
        table_->scrollToItem(table_->item(state.value, 0));
      }
    }
  }
  QTableWidget* table_;
  std::vector<std::string> shownColumns_;
  bool chosenByPress_ = false;
};

class DrawingView final : public ControlView {
 public:
  DrawingView(const ControlDef& def, int panel, QWidget* canvas)
      : DrawingView(def, panel, new SceneWidget(canvas)) {}

 private:
  DrawingView(const ControlDef& def, int panel, SceneWidget* drawing)
      : ControlView(def, drawing, nullptr), drawing_(drawing) {
    if (def.callback.empty()) return;
    drawing_->SetClickable(true);
    QObject::connect(drawing_, &SceneWidget::groupClicked,
                     [panel, id = def.id](const QString& name) {
                       Store().CommitText(panel, id, name.toStdString());
                     });
  }
  void MirrorKind(const ControlState& state) override { drawing_->SetScene(state.scene); }
  SceneWidget* drawing_;
};

}  // namespace

std::unique_ptr<ControlView> MakeControlView(const ControlDef& def, int panel, QWidget* canvas) {
  switch (def.kind) {
    case ControlKind::CommandButton: return std::make_unique<ButtonView>(def, panel, canvas);
    case ControlKind::Ring: return std::make_unique<RingView>(def, panel, canvas);
    case ControlKind::Numeric: return std::make_unique<NumericView>(def, panel, canvas);
    case ControlKind::StringBox: return std::make_unique<StringBoxView>(def, panel, canvas);
    case ControlKind::TextMessage: return std::make_unique<TextView>(def, panel, canvas);
    case ControlKind::OnOffSwitch: return std::make_unique<SwitchView>(def, panel, canvas);
    case ControlKind::ToggleButton: return std::make_unique<ToggleView>(def, panel, canvas);
    case ControlKind::Decoration: return std::make_unique<FrameView>(def, panel, canvas);
    case ControlKind::Picture: return std::make_unique<PictureView>(def, panel, canvas);
    case ControlKind::Table: return std::make_unique<TableView>(def, panel, canvas);
    case ControlKind::Drawing: return std::make_unique<DrawingView>(def, panel, canvas);
  }
  return nullptr;
}

}  // namespace qv::qt
