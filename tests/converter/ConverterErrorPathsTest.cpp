// Failures of the libraries, the input and the output end the real converter with a clear line and
// an honest exit status, never a crash; a read error is not mistaken for the end of the input.
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "tests/support/LocalHttpServer.h"
#include "tests/support/Media.h"

namespace {
using namespace testmedia;

TEST(ConverterErrorPathsTest, EachFailureGivesItsLineAndStatus) {
  QTemporaryDir dir;
  const QString good = dir.filePath("good.flv");
  ASSERT_TRUE(MakeFlv(good, 3));
  const QString damagedPath = dir.filePath("damaged.flv");
  QFile damaged(damagedPath);
  ASSERT_TRUE(QFile::copy(good, damagedPath) && damaged.open(QIODevice::ReadWrite));
  const QByteArray flv = damaged.readAll();
  ASSERT_TRUE(damaged.seek(flv.size() / 2) && damaged.write(QByteArray(4096, '\xff')) == 4096);
  damaged.close();

  // The server promises the whole file and drops the connection half-way: a read error. Its
  // thread's event loop needs an application object.
  int argc = 1;
  char name[] = "test", *argv[] = {name, nullptr};
  QCoreApplication application(argc, argv);
  LocalHttpServer server;
  ScopedProxyEnvironment proxy(server.Address());
  server.Script("/cut.flv", {.headers = {{"Content-Length", QByteArray::number(flv.size())}},
                             .body = flv.left(flv.size() / 2),
                             .contentLength = false});

  struct Case {
    const char* what;
    QString input;
    QStringList options;
    QString output;
    int exitCode;
    const char* said;   // in the converter's lines
    double minSeconds;  // of the kept output; 0: nothing may be left at the output path
  };
  const QString out = dir.filePath("out.avi");
  const std::vector<Case> cases{
      {"unknown container", good, {"-f", "nosuch"}, out, 1, "'nosuch'", 0},
      {"output folder missing", good, {}, dir.filePath("missing/out.avi"), 1, "missing/out.avi", 0},
      {"format that writes no file", good, {"-f", "null"}, dir.filePath("out.null"), 0, "frame=", 0},
      {"damaged bytes the demuxer skips", damagedPath, {"-vcodec", "mpeg4"}, out, 0, "frame=", 2.5},
      {"connection broken half-way", server.Address() + "/cut.flv", {"-vcodec", "mpeg4"}, out, 3, "output error", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QFile::remove(c.output);
    const QStringList arguments = QStringList{"-i", c.input, "-y"} + c.options << c.output;
    const RunResult run = RunProgram(QB_PROGRAM_DIR "/kodavert.dll", arguments);
    ASSERT_TRUE(run.started);
    EXPECT_FALSE(run.crashed || run.timedOut);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.output.toStdString();
    EXPECT_EQ(run.output.count("Error: "), c.exitCode == 1 ? 1 : 0) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(c.said)) << run.output.toStdString();
    EXPECT_EQ(run.output.contains("Warning: the input could not be read"), c.exitCode == 3);
    EXPECT_EQ(QFile::exists(c.output), c.minSeconds > 0);
    if (c.minSeconds > 0) {
      const auto probe = ProbeFile(c.output);
      ASSERT_TRUE(probe && probe->video);
      EXPECT_GT(probe->video->duration, c.minSeconds);
    }
  }
}

}  // namespace
