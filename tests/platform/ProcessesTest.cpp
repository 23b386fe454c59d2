// Cancel's stop of the converters found by name, on real processes: the process list, the names,
// which converters are this program's, and the grace time.
#include <gtest/gtest.h>

#include <signal.h>
#include <QProcess>
#include <QTemporaryDir>

#include "conversion/ConverterRun.h"
#include "conversion/KillProcessesByName.h"
#include "tests/support/Processes.h"

using namespace testsupport;

namespace {

QByteArray Status(qint64 processId) {
  QFile status(QString("/proc/%1/status").arg(processId));
  return status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
}
bool Running(qint64 processId) {
  const QByteArray status = Status(processId);
  return !status.isEmpty() && !status.contains("State:\tZ");
}
bool IgnoresStopRequests(qint64 processId) {
  const QByteArray status = Status(processId);
  const qsizetype at = status.indexOf("SigIgn:\t");
  return at >= 0 && (status.mid(at + 8, 16).toULongLong(nullptr, 16) & (1u << (SIGTERM - 1)));
}

// Every process's name ends with the empty name.
TEST(ImageNameMatches, AnEmptyNameMatchesNothing) { EXPECT_FALSE(conversion::ImageNameMatches("kodavert.dll", "")); }

TEST(KillProcessesByName, EndsOwnConvertersEvenWhenTheyIgnoreStopRequests) {
  QTemporaryDir folder;
  QFile script(folder.filePath("kodavert.script"));
  ASSERT_TRUE(script.open(QIODevice::WriteOnly) && script.write("ignore-term\nhold\n") > 0);
  script.close();
  const struct {
    const char* name;
    bool detached;  // run by hand in a terminal: not this program's to stop
    bool killed;
  } cases[] = {{"kodavert.dll", false, true},
               {"KODAVERT.DLL", false, true},
               {"oldkodavert.dll", false, true},
               {"kodavert.dll.bak", false, false},
               {"kodavert.dll", true, false}};
  std::vector<std::unique_ptr<conversion::ConverterRun>> runs;
  std::vector<qint64> ids;
  for (const auto& c : cases) {
    const QString path = folder.filePath(c.name);
    ASSERT_TRUE(QFile::exists(path) || QFile::copy(FAKE_CONVERTER, path));
    qint64 id = 0;
    if (c.detached) {
      QProcess process;
      process.setProgram(path);
      process.setStandardInputFile(QProcess::nullDevice());
      ASSERT_TRUE(process.startDetached(&id));
    } else {
      runs.push_back(std::make_unique<conversion::ConverterRun>());
      ASSERT_TRUE(runs.back()->Start({path}, {}));
      id = runs.back()->ProcessId();
      ASSERT_EQ(conversion::ConverterRun::Owning(id), runs.back().get());
    }
    ids.push_back(id);
  }
  ASSERT_TRUE(WaitUntil([&] { return std::all_of(ids.begin(), ids.end(), IgnoresStopRequests); }));

  conversion::KillProcessesByName("kodavert.dll");
  // They ignore the request to stop, so they end only when the grace time is over.
  const auto killedGone = [&] {
    for (size_t i = 0; i < ids.size(); ++i)
      if (cases[i].killed && Running(ids[i])) return false;
    return true;
  };
  ASSERT_TRUE(WaitUntil(killedGone, 10000));
  for (size_t i = 0; i < ids.size(); ++i) EXPECT_EQ(Running(ids[i]), !cases[i].killed) << cases[i].name;
  for (qint64 id : ids) kill(pid_t(id), SIGKILL);
  runs.clear();
  EXPECT_TRUE(WaitUntil([] { return OwnChildren().isEmpty(); }, 10000));
}

}  // namespace
