#pragma once
// What the tests of the conversion window over the scripted stand-in converter share: a progress
// line, and a program folder with the stand-in in it.
#include <gtest/gtest.h>

#include "RunSupport.h"
#include "platform/Shell.h"
#include "tests/support/ScopedDouble.h"

namespace testsupport {

inline QString Progress(double seconds) {
  return QString("print frame=  %1 fps= 25 q=2.0 size=     100kB time=%2 bitrate= 409.6kbits/s\\r\n")
      .arg(int(seconds * 25), 4)
      .arg(seconds, 0, 'f', 2);
}

class ConversionRunTest : public ::testing::Test {
 protected:
  QTemporaryDir program;  // the program folder: the stand-in converter and "Video Output"
  QString input;
  std::unique_ptr<WindowUnderTest> w;
  int descriptorsBefore = 0;
  QList<QStringList> shellCommands;
  ScopedDoubles doubles;

  void SetUp() override {
    ASSERT_TRUE(program.isValid());
    doubles.Set(platform::testing::SetShellDouble,
                [this](const QStringList& command) { shellCommands.append(command); });
    ASSERT_TRUE(QFile::copy(FAKE_CONVERTER, program.filePath("kodavert.dll")));
    ASSERT_TRUE(QDir(program.path()).mkdir("Video Output"));
    input = program.filePath("talk.flv");
    WriteFile(input, "FLV");
    Open();
  }

  void TearDown() override {
    w.reset();
    ExpectNothingLeft();
  }

  void Open() {
    w = std::make_unique<WindowUnderTest>(program.path(), input);
    descriptorsBefore = OpenDescriptors();
  }

  static void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
  }
  void Script(const QString& steps) { WriteFile(program.filePath("kodavert.script"), steps.toUtf8()); }

  QByteArray Report() {
    QFile report(program.filePath("kodavert.report"));
    return report.open(QIODevice::ReadOnly) ? report.readAll() : QByteArray();
  }
  QStringList ReportedArguments() {
    QStringList arguments;
    const QByteArray report = Report();
    const QList<QByteArray> parts = report.left(report.indexOf("fds:")).split('\0');
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) arguments.append(QFile::decodeName(parts[i]));
    return arguments;
  }

  // No child, running or unreaped, and no descriptor of the run is left behind.
  void ExpectNothingLeft() {
    EXPECT_TRUE(WaitUntil([] { return OwnChildren().isEmpty(); }, 10000)) << "children left: " << OwnChildren().size();
    EXPECT_TRUE(WaitUntil([this] { return OpenDescriptors() <= descriptorsBefore; }, 10000))
        << OpenDescriptors() << " descriptors open, " << descriptorsBefore << " before";
  }

  // A header that reports a ten-second input, as the converter prints it, with the input's path.
  QString Header() const {
    return "print Input #0, flv, from '" + QString(input).replace("\n", "\\n") +
           "':\\n  Duration: 00:00:10.00, start: 0.000000, bitrate: 500 kb/s\\n"
           "  Stream #0:0: Video: flv1, yuv420p, 320x240\\nOutput #0, avi, to 'talk_new.avi':\\n\n";
  }

  bool WaitForStatus(const QString& prefix) {
    return WaitUntil([&] { return w->view.Text(StatusLine).startsWith(prefix); });
  }
};

}  // namespace testsupport
