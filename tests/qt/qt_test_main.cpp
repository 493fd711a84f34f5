// One QApplication for every test, on the offscreen platform with a screen
// of 1920 x 1200, with a home of its own in the build tree (no settings or
// sockets of the machine's user).

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QSaveFile>

int main(int argc, char* argv[]) {
  const QString home = QStringLiteral(QV_QT_TEST_HOME);
  QDir().mkpath(home + "/config");
  QDir().mkpath(home + "/runtime");
  chmod(qPrintable(home + "/runtime"), 0700);
  qputenv("XDG_CONFIG_HOME", (home + "/config").toUtf8());
  qputenv("XDG_RUNTIME_DIR", (home + "/runtime").toUtf8());
  qputenv("QTEST_FUNCTION_TIMEOUT", "60000");
  // A desktop's screen, on which the main panel opens at its designed size.
  // Replaced whole, since the tests run in parallel processes that read it.
  const QString screen = home + "/screen.json";
  QSaveFile config(screen);
  if (config.open(QIODevice::WriteOnly)) {
    config.write(R"({"screens": [{"name": "Desk", "x": 0, "y": 0, "width": 1920,
                   "height": 1200, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    config.commit();
  }
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (platform.isEmpty() || platform == "offscreen") {
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screen).toUtf8());
  }

  ::testing::InitGoogleTest(&argc, argv);
  // Exit tests run the program in a fresh copy of this process, not a fork of it.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
