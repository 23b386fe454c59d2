// The platform pieces under a converter run, on real processes and files: the process list,
// termination by image name, and the lookups of the run's checks.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <signal.h>

#include "RunSupport.h"
#include "conversion/KillProcessesByName.h"
#include "platform/CreatePipe.h"
#include "platform/CreateProcessA.h"
#include "platform/FileLookup.h"

using namespace testsupport;

namespace {

class ProcessControlTest : public ::testing::Test {
 protected:
  QTemporaryDir folder;

  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    KeepProcessListToOwnChildren();
    QFile script(folder.filePath("kodavert.script"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("ignore-term\nhold\n");
  }
  void TearDown() override { platform::testing::SetCreateToolhelp32SnapshotDouble({}); }

  // The stand-in converter under `name`, started and holding on until it is killed.
  platform::ProcessInformation Start(const QString& name) {
    const QString path = folder.filePath(name);
    if (!QFile::exists(path)) {
      EXPECT_TRUE(QFile::copy(FAKE_CONVERTER, path));
    }
    std::optional<platform::Pipe> pipe = platform::CreatePipe();
    auto process = platform::CreateProcessA({path}, pipe->write);
    EXPECT_TRUE(process);
    return process ? std::move(*process) : platform::ProcessInformation();
  }
  static bool Running(int processId) {
    QFile stat(QString("/proc/%1/stat").arg(processId));
    if (!stat.open(QIODevice::ReadOnly)) return false;
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
  }
};

TEST_F(ProcessControlTest, SnapshotNamesChildrenByTheirExecutable) {
  platform::ProcessInformation child = Start("some name.dll");
  bool found = false;
  for (const platform::ProcessEntry& entry : platform::CreateToolhelp32Snapshot()) {
    if (entry.th32ProcessID != child.ProcessId()) continue;
    found = true;
    EXPECT_EQ(entry.szExeFile, "some name.dll");
    EXPECT_EQ(entry.th32ParentProcessID, getpid());
  }
  EXPECT_TRUE(found);
  kill(child.ProcessId(), SIGKILL);
}

TEST_F(ProcessControlTest, KillProcessesByNameEndsMatchingNamesEvenWhenTheyIgnoreStopRequests) {
  struct Case {
    const char* name;
    bool killed;
  };
  const Case cases[] = {{"kodavert.dll", true}, {"KODAVERT.DLL", true}, {"oldkodavert.dll", true}, {"kodavert.dll.bak", false}};
  std::vector<platform::ProcessInformation> children;
  for (const Case& c : cases) children.push_back(Start(c.name));
  ASSERT_TRUE(WaitUntil([&] { return QFile::exists(folder.filePath("kodavert.report")); }));

  conversion::KillProcessesByName("kodavert.dll");
  // They ignore the request to stop, so they end only when the grace time is over.
  for (size_t i = 0; i < children.size(); ++i) {
    if (cases[i].killed) {
      EXPECT_TRUE(WaitUntil([&] { return !Running(children[i].ProcessId()); }, 10000)) << cases[i].name;
    }
  }
  EXPECT_TRUE(Running(children[3].ProcessId()));
  kill(children[3].ProcessId(), SIGKILL);
  children.clear();  // collected as they end
  EXPECT_TRUE(WaitUntil([] { return OwnChildren().isEmpty(); }, 10000));
}

TEST(FileLookup, HiddenItemsCountAsMissing) {
  QTemporaryDir dir;
  QDir(dir.path()).mkdir("folder");
  QDir(dir.path()).mkdir(".hidden folder");
  for (const char* name : {"talk.flv", ".talk.flv", "folder/inner.flv"}) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  struct Case {
    const char* name;
    bool file;
    bool folderOrFile;
  };
  const Case cases[] = {
      {"talk.flv", true, true},          {".talk.flv", false, false}, {"folder", false, true},
      {".hidden folder", false, false},  {"missing", false, false},   {"folder/inner.flv", true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::OrdinaryFileExists(dir.filePath(c.name)), c.file) << c.name;
    EXPECT_EQ(platform::FolderOrFileExists(dir.filePath(c.name)), c.folderOrFile) << c.name;
  }
  EXPECT_FALSE(platform::OrdinaryFileExists(""));
  EXPECT_FALSE(platform::FolderOrFileExists(""));
}

}  // namespace
