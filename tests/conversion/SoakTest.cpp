// A hundred start-and-Cancel cycles and a hundred information runs of the real converter
// through the conversion window's logic must leave nothing behind and touch no finished file. The
// test drives the ticks itself, so that each cycle takes as long as the converter does, not the
// window's 300 ms pace.
#include <gtest/gtest.h>

#include "RunSupport.h"
#include "tests/support/Media.h"

using namespace testsupport;

namespace {

long ResidentKilobytes() {
  QFile status("/proc/self/status");
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
  return 0;
}

TEST(Soak, CancelAndInformationCyclesLeaveNothingBehind) {
  QTemporaryDir media, output;
  ASSERT_TRUE(testmedia::MakeFlv(media.filePath("clip.flv"), 2));
  WindowUnderTest w(QB_PROGRAM_DIR, media.filePath("clip.flv"));
  w.view.texts[FolderBox] = output.path();
  const auto tickUntil = [&](const std::function<bool()>& done) {
    return WaitUntil([&] {
      for (int tick = 0; tick < 16 && !done(); ++tick) w.window.Timer1_Timer();
      return done();
    });
  };
  const auto status = [&] { return w.view.Text(StatusLine); };
  // The first run sets up what the process keeps for good (Qt's child machinery, the decoder).
  w.window.B1_Click(DisplayInformation);
  ASSERT_TRUE(tickUntil([&] { return w.Idle(); }));
  const int descriptors = OpenDescriptors();
  [[maybe_unused]] const long kilobytes = ResidentKilobytes();  // unused under the address sanitizer

  int cancelled = 0;
  for (int cycle = 0; cycle < 100; ++cycle) {
    w.window.B1_Click(Convert);
    if (cycle % 3 == 1) {
      ASSERT_TRUE(tickUntil([&] { return status().startsWith(Converting) || w.Idle(); }));
    } else if (cycle % 3 == 2) {
      ASSERT_TRUE(
          tickUntil([&] { return status() == QString::fromUtf16(conversion::ProgressStatus).arg(100) || w.Idle(); }));
    }  // else: at once, before the converter has said anything
    if (!w.Idle()) {
      w.window.B1_Click(Cancel);
      ++cancelled;
    }
    ASSERT_TRUE(tickUntil([&] { return w.Idle(); })) << "cycle " << cycle;
    ASSERT_TRUE(status() == Cancelled || status() == Done) << "cycle " << cycle << ": " << status().toStdString();
  }
  // The information runs never write into the output folder, not even over a finished file.
  const auto converted = [&] {
    QFile file(output.filePath("clip_new.avi"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  ASSERT_TRUE(WaitUntil([] { return OwnChildren().isEmpty(); }, 10000)) << "a cancelled converter is still writing";
  const QByteArray finished = converted();
  for (int run = 0; run < 100; ++run) {
    w.window.B1_Click(DisplayInformation);
    ASSERT_TRUE(tickUntil([&] { return w.Idle(); })) << "information run " << run;
    ASSERT_EQ(status(), "") << "information run " << run;
  }
  std::printf("%d of 100 conversions cancelled, 100 information runs\n", cancelled);
  EXPECT_GE(cancelled, 60);

  EXPECT_TRUE(WaitUntil([] { return OwnChildren().isEmpty(); }, 10000)) << OwnChildren().size() << " children left";
  EXPECT_TRUE(WaitUntil([&] { return OpenDescriptors() <= descriptors; }, 5000))
      << OpenDescriptors() << " descriptors open, " << descriptors << " before";
  EXPECT_EQ(QDir(output.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"clip_new.avi"});
  EXPECT_TRUE(converted() == finished) << "an information run changed the converted file";
  EXPECT_TRUE(w.Idle());
  // The address sanitizer holds freed memory back on purpose; its leak checker covers that build.
#ifndef __SANITIZE_ADDRESS__
  std::printf("resident memory: %ld kB before, %ld kB after\n", kilobytes, ResidentKilobytes());
  EXPECT_LT(ResidentKilobytes() - kilobytes, 8 * 1024);
#endif
}

}  // namespace
