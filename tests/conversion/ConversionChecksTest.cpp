// The checks before a run, and where the window takes its input and output folder from, over the
// scripted stand-in converter.
#include "FakeRun.h"
#include "tests/support/ScopedEnvironment.h"

using namespace testsupport;

namespace {

TEST_F(ConversionRunTest, ChecksRunInOrderAndReturnToIdle) {
  struct Case {
    const char* name;
    std::function<void()> prepare;
    const char* message;  // empty: every check passes and the run starts
  };
  // "Cut:" checked, with these texts in these boxes and "00" in the others.
  const auto cut = [&](std::vector<std::pair<const char*, const char*>> boxes) {
    return [&, boxes] {
      w->view.checked[CutCheckBox] = true;
      for (const auto& [box, text] : boxes) w->view.texts[box] = text;
    };
  };
  const Case cases[] = {
      {"input gone", [&] { QFile::remove(input); }, "Input file doesn't exist!"},
      {"folder gone", [&] { w->view.texts[FolderBox] = program.filePath("nowhere"); }, "Output folder doesn't exist!"},
      {"folder hidden",
       [&] {
         QDir(program.path()).mkdir(".out");
         w->view.texts[FolderBox] = program.filePath(".out");
       },
       "Output folder doesn't exist!"},
      {"start equals end", cut({{StartMinutesBox, "01"}, {EndMinutesBox, "01"}}),
       "Incorrect parameters: Starting time >= ending time!"},
      {"start after end", cut({{StartHoursBox, "1"}, {EndHoursBox, "00"}, {EndSecondsBox, "59"}}),
       "Incorrect parameters: Starting time >= ending time!"},
      {"start just before end", cut({{StartSecondsBox, "59"}, {EndMinutesBox, "1"}}), ""},
      {"folder box names a file", [&] { w->view.texts[FolderBox] = input; }, ""},
      {"cut boxes not read when unchecked", [&] { w->view.texts[StartSecondsBox] = "59"; }, ""},
  };
  Script("exit 0\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(input, "FLV");
    Open();
    for (const CutTime box : CutTimes) w->view.texts[NameOf(box)] = "00";
    c.prepare();
    w->window.B1_Click(Convert);
    EXPECT_EQ(w->view.messages, *c.message ? QStringList{QString("[stop] Error: ") + c.message} : QStringList{});
    if (*c.message) {
      EXPECT_TRUE(w->Idle());
      EXPECT_TRUE(w->view.statusTexts.isEmpty());
    } else {
      EXPECT_TRUE(w->WaitForIdle());
      EXPECT_EQ(w->view.Text(StatusLine), Done);
    }
    ExpectNothingLeft();
  }
}

TEST_F(ConversionRunTest, WithoutAFolderTheUserMayWriteBesideTheProgramTheVideosFolderServes) {
  QTemporaryDir home;  // no user-dirs.dirs in its configuration: the videos folder is ~/Videos
  const ScopedEnvironment environment{{"HOME", QFile::encodeName(home.path())},
                                      {"XDG_CONFIG_HOME", QFile::encodeName(home.filePath(".config"))}};
  const QString beside = program.filePath("Video Output"), videos = home.filePath("Videos/Video Output");
  Script(Header() + Progress(10));

  // As a system-wide install leaves it: read-only (which root may write all the same), or none.
  ASSERT_TRUE(QFile::setPermissions(beside, QFile::ReadOwner | QFile::ExeOwner));
  for (bool none : {false, true}) {
    if (none) {
      ASSERT_TRUE(QDir(program.path()).rmdir("Video Output"));
    }
    if (QFileInfo(beside).isWritable()) continue;
    SCOPED_TRACE(none ? "none" : "read-only");
    Open();
    EXPECT_EQ(w->view.Text(FolderBox), videos);
    EXPECT_FALSE(QFileInfo::exists(videos));  // made only when first needed
    w->window.B1_Click(Button::Open);
    EXPECT_TRUE(QFileInfo(videos).isDir());
    EXPECT_EQ(shellCommands.last(), platform::ExplorerCommand(videos));
    ASSERT_TRUE(QDir().rmdir(videos));
    w->window.B1_Click(Convert);
    ASSERT_TRUE(w->WaitForIdle());
    EXPECT_EQ(w->view.Text(StatusLine), Done);
    EXPECT_EQ(w->window.OutputPath(), videos + "/talk_new.avi");
    ASSERT_TRUE(QDir(videos).removeRecursively());
  }
}

TEST_F(ConversionRunTest, LoadTakesTheBaseNameAndBrowseAndOpenTheChosenFolder) {
  const std::pair<const char*, const char*> names[] = {{"/v/talk.flv", "talk"},
                                                       {"/v/clip.mpeg", "clip"},
                                                       {"/v/clip.webm", "clip"},
                                                       {"/v/movie", "movie"},
                                                       {"/v/ab", "ab"},
                                                       {"/v/a.b.mkv", "a.b"},
                                                       {"/v/.hidden", ".hidden"},
                                                       {"/v/.x.mp4", ".x"},
                                                       {"/v.d/clip", "clip"},
                                                       {"talk.flv", "talk"},
                                                       {"/v/", ""}};
  for (const auto& [path, base] : names) {
    w->input = path;
    w->window.Form_Load();
    EXPECT_EQ(w->window.InputBaseName(), base) << path;
  }

  const QString folder = w->view.Text(FolderBox);
  w->window.B1_Click(Browse);  // the chooser was cancelled
  EXPECT_EQ(w->view.Text(FolderBox), folder);
  w->chosenFolder = "/somewhere else";
  w->window.B1_Click(Browse);
  w->window.B1_Click(Button::Open);  // no test first: the folder need not exist
  EXPECT_EQ(shellCommands, QList<QStringList>{platform::ExplorerCommand("/somewhere else")});
}

}  // namespace
