#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusConnection>
#include <QProcess>
#include <QTemporaryDir>

// The main of every test that needs an application object: widget tests share one QApplication,
// and timers and network transfers need its event loop. Without a platform named they run headless.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // What the program remembers goes to a folder of the test's, never to the user's configuration.
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  QApplication app(argc, argv);
  // Qt keeps one descriptor of its own from the first child it starts; start one first, so that
  // tests counting open descriptors compare like with like.
  QProcess::execute(QStringLiteral("true"), {});
  // The session bus's connection, where there is a bus, likewise stays open once made.
  QDBusConnection::sessionBus();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
