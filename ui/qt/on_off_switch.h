#pragma once
// A two-state switch that says what it is: a sliding knob over a track that
// reads "Off" or "On". Checked means on.

#include <QAbstractButton>

namespace qv::qt {

class OnOffSwitch : public QAbstractButton {
  Q_OBJECT

 public:
  explicit OnOffSwitch(QWidget* parent = nullptr);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace qv::qt
