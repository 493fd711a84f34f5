// qv3380_gui: the configuration tool with its Qt windows.

#include "app/startup.h"
#include "ui/front_end.h"
#include "ui/paint/qt_picture_renderer.h"
#include "ui/qt/qt_front_end.h"

int main(int argc, char* argv[]) {
  qv::qt::QtFrontEnd frontEnd;
  qv::InstallFrontEnd(&frontEnd);
  qv::paint::QtPictureRenderer painter;
  qv::InstallPictureRenderer(&painter);
  return qv::ProgramMain(argc, argv);
}
