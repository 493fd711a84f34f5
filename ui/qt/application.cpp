#include "ui/qt/application.h"

#include <exception>
#include <string>
#include <utility>

#include "base/last_resort.h"

namespace qv::qt {

Application::Application(int& argc, char** argv, EscapedException escaped)
    : QApplication(argc, argv), escaped_(std::move(escaped)) {}

bool Application::notify(QObject* receiver, QEvent* event) {
  // The report may run a dialog of its own: an exception inside it must not
  // start another report.
  if (!escaped_ || reporting_) return QApplication::notify(receiver, event);
  std::string what;
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    what = ExceptionText(std::current_exception());
  }
  reporting_ = true;
  escaped_(what);
  reporting_ = false;
  return false;
}

}  // namespace qv::qt
