// Cancel's stop of the converters found by name, on real processes: the process list, the names,
// the parent ids and the grace time.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <signal.h>

#include "tests/support/Processes.h"
#include "conversion/KillProcessesByName.h"

using namespace testsupport;

namespace {

class ProcessControlTest : public ::testing::Test {
 protected:
  QTemporaryDir folder;

  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    QFile script(folder.filePath("kodavert.script"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("ignore-term\nhold\n");
  }

  // The stand-in converter under `name`, holding on until it is killed; `detached`, it is not
  // this program's child but the user's own.
  qint64 Start(const QString& name, bool detached = false) {
    const QString path = folder.filePath(name);
    if (!QFile::exists(path)) {
      EXPECT_TRUE(QFile::copy(FAKE_CONVERTER, path));
    }
    qint64 id = 0;
    if (detached) {
      EXPECT_TRUE(QProcess::startDetached(path, {}, {}, &id));
    } else {
      auto& child = children.emplace_back(std::make_unique<QProcess>());
      child->start(path);
      EXPECT_TRUE(child->waitForStarted());
      id = child->processId();
    }
    return id;
  }
  std::vector<std::unique_ptr<QProcess>> children;
  static bool Running(int processId) {
    QFile stat(QString("/proc/%1/stat").arg(processId));
    if (!stat.open(QIODevice::ReadOnly)) return false;
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
  }
};

TEST_F(ProcessControlTest, KillProcessesByNameEndsOwnConvertersEvenWhenTheyIgnoreStopRequests) {
  struct Case {
    const char* name;
    bool detached;
    bool killed;
  };
  const Case cases[] = {{"kodavert.dll", false, true},
                        {"KODAVERT.DLL", false, true},
                        {"oldkodavert.dll", false, true},
                        {"kodavert.dll.bak", false, false},
                        // run by hand in a terminal: not this program's to stop
                        {"kodavert.dll", true, false}};
  std::vector<qint64> ids;
  for (const Case& c : cases) ids.push_back(Start(c.name, c.detached));
  ASSERT_TRUE(WaitUntil([&] { return QFile::exists(folder.filePath("kodavert.report")); }));

  conversion::KillProcessesByName("kodavert.dll");
  // They ignore the request to stop, so they end only when the grace time is over.
  ASSERT_TRUE(WaitUntil([&] { return !Running(ids[0]) && !Running(ids[1]) && !Running(ids[2]); }, 10000));
  EXPECT_TRUE(Running(ids[3]));
  EXPECT_TRUE(Running(ids[4]));
  for (qint64 id : ids) kill(pid_t(id), SIGKILL);
  children.clear();
  EXPECT_TRUE(WaitUntil([] { return OwnChildren().isEmpty(); }, 10000));
}

}  // namespace
