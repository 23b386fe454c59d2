#include <QCoreApplication>
#include <QProcess>
#include <gtest/gtest.h>

// The window's timer needs an event loop.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  // Qt keeps one descriptor of its own from the first child it starts; start one first, so that
  // the tests' counts of open descriptors compare like with like.
  QProcess::execute(QStringLiteral("true"), {});
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
