// The desktop's services on real parts: a second start of the real program handing its video to
// the instance that runs (here the test, which holds the lock and listens as the program does), and
// the remembered choices in the user's configuration folder.
#include <gtest/gtest.h>

#include <QLocalSocket>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include "platform/HandOver.h"
#include "platform/PrevInstance.h"
#include "platform/RememberedChoices.h"
#include "tests/support/Processes.h"
#include "tests/support/QStringPrinter.h"
#include "tests/support/ScopedEnvironment.h"

namespace {

using testsupport::WaitUntil;

TEST(HandOver, ASecondStartGivesItsVideoToTheRunningInstanceAndEndsAtOnce) {
  QTemporaryDir runtime, work;  // the runtime folder: the user's alone, as the system makes it
  ScopedEnvironment env{{"XDG_RUNTIME_DIR", runtime.path().toLocal8Bit()}};
  ASSERT_FALSE(platform::PrevInstance());
  platform::HandOverServer server;
  ASSERT_TRUE(server.Listen());
  QStringList received;
  QObject::connect(&server, &platform::HandOverServer::received, [&](const QString& a) { received << a; });
  const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
  EXPECT_EQ(QFileInfo(platform::InstanceFile("quillbrook.socket")).permissions() & others, 0);

  const QString watch = "https://www.youtube.com/watch?v=Zx4qD1Jv0cE";
  const std::pair<QStringList, QString> starts[] = {
      {{}, ""},  // nothing to hand over: it ends silently, as it always did
      {{"clips/../my talk.webm"}, work.filePath("my talk.webm")},
      {{watch, "ignored"}, watch},
      {{"file://" + work.filePath("a.webm")}, work.filePath("a.webm")},
  };
  QStringList expected;
  for (const auto& [arguments, handed] : starts) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    QProcess second;
    second.setWorkingDirectory(work.path());
    second.start(QB_PROGRAM_DIR "/quillbrook", arguments);
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    if (!handed.isEmpty()) expected << handed;
    EXPECT_TRUE(WaitUntil([&] { return received.size() == expected.size(); }, 5000));
  }
  EXPECT_EQ(received, expected);

  // Messages that are not ours, too long, not text or empty are dropped; the next good one counts.
  const QByteArray dropped[] = {"quillbrook-close\n/a.webm", platform::HandOverMessage(QString(40000, u'\u00e9')),
                                "quillbrook-open\n\xff\xfe.webm", platform::HandOverMessage("")};
  for (const QByteArray& message : dropped) {
    QLocalSocket socket;
    socket.connectToServer(platform::InstanceFile("quillbrook.socket"));
    ASSERT_TRUE(socket.waitForConnected(1000));
    socket.write(message);
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
  }
  ASSERT_TRUE(platform::HandOver("/videos/next.webm"));
  ASSERT_TRUE(WaitUntil([&] { return received.size() > expected.size(); }, 5000));
  EXPECT_EQ(received.mid(expected.size()), QStringList{"/videos/next.webm"});
}

TEST(RememberedChoices, StayInTheUsersConfigurationFolderForTheNextStart) {
  QTemporaryDir config;
  ScopedEnvironment env{{"XDG_CONFIG_HOME", config.path().toLocal8Bit()}};
  EXPECT_EQ(platform::Remembered(platform::Choice::Format), "");
  platform::Remember(platform::Choice::Format, "MP3 Sound (MP3)");
  platform::Remember(platform::Choice::OutputFolder, "/home/user/Music");
  QSettings stored(config.filePath("quillbrook/quillbrook.conf"), QSettings::IniFormat);
  EXPECT_EQ(stored.allKeys(), (QStringList{"Format", "OutputFolder"}));
  EXPECT_EQ(platform::Remembered(platform::Choice::OutputFolder), "/home/user/Music");
}

}  // namespace
