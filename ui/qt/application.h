#pragma once
// The program's QApplication. Qt cannot unwind an exception through its event
// dispatch; one that escapes an event handler goes to the program's last resort.

#include <QApplication>
#include <functional>
#include <string_view>

namespace qv::qt {

// Told what() of the exception; none: it propagates as it would without.
using EscapedException = std::function<void(std::string_view what)>;

class Application : public QApplication {
 public:
  Application(int& argc, char** argv, EscapedException escaped);

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  EscapedException escaped_;
  bool reporting_ = false;
};

}  // namespace qv::qt
