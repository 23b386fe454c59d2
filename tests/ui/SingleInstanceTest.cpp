// Two real processes of the program: the second ends at once and silently; a lock left by a killed
// instance does not stop the next start.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

namespace {

class SingleInstance : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(runtime_.isValid());
    env_ = QProcessEnvironment::systemEnvironment();
    env_.insert("QT_QPA_PLATFORM", "offscreen");
    env_.insert("XDG_RUNTIME_DIR", runtime_.path());
  }

  std::unique_ptr<QProcess> Start() {
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(env_);
    p->setProcessChannelMode(QProcess::MergedChannels);
    p->start(QB_PROGRAM, {});
    EXPECT_TRUE(p->waitForStarted(5000));
    return p;
  }

  // True once some process holds the program's lock: we cannot take it ourselves.
  bool LockHeld() {
    const QByteArray path = (runtime_.path() + "/quillbrook.lock").toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return held;
  }

  bool WaitForLock() {
    for (QDeadlineTimer deadline(10000); !deadline.hasExpired(); QThread::msleep(20))
      if (LockHeld()) return true;
    return false;
  }

  QTemporaryDir runtime_;
  QProcessEnvironment env_;
};

TEST_F(SingleInstance, SecondStartEndsSilentlyWhileTheFirstRunsOn) {
  auto first = Start();
  ASSERT_TRUE(WaitForLock());
  auto second = Start();
  ASSERT_TRUE(second->waitForFinished(10000));
  EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second->exitCode(), 0);
  EXPECT_EQ(first->state(), QProcess::Running);
  first->kill();
  first->waitForFinished();
}

TEST_F(SingleInstance, LockOfAKilledInstanceDoesNotBlockTheNextStart) {
  auto first = Start();
  ASSERT_TRUE(WaitForLock());
  first->kill();
  ASSERT_TRUE(first->waitForFinished(5000));
  EXPECT_FALSE(LockHeld());

  auto next = Start();
  ASSERT_TRUE(WaitForLock());
  EXPECT_EQ(next->state(), QProcess::Running);
  next->kill();
  next->waitForFinished();
}

}  // namespace
