// The conversion window's logic over a plain-value view, with the scripted stand-in converter
// started as a real child process and the timer driven by the event loop.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>

#include "RunSupport.h"
#include "conversion/CommandLine.h"
#include "platform/Shell.h"
#include "tests/support/ScopedEnvironment.h"

using namespace testsupport;

namespace {

const QString Loading = "Loading & analyzing video... It may take a while.";
const QString Done = "Done! Click Open button to open the folder.";
const QString Cancelled = "Conversion is cancelled.";
const QString Failed = "Conversion failed! See the information box for the converter's message.";

QString Progress(double seconds) {
  return QString("print frame=  %1 fps= 25 q=2.0 size=     100kB time=%2 bitrate= 409.6kbits/s\\r\n")
      .arg(int(seconds * 25), 4).arg(seconds, 0, 'f', 2);
}

class ConversionRunTest : public ::testing::Test {
 protected:
  QTemporaryDir program;  // the program folder: the stand-in converter and "Video Output"
  QString input;
  std::unique_ptr<WindowUnderTest> w;
  int descriptorsBefore = 0;
  QList<QStringList> shellCommands;

  void SetUp() override {
    ASSERT_TRUE(program.isValid());
    platform::testing::SetShellDouble([this](const QStringList& command) { shellCommands.append(command); });
    ASSERT_TRUE(QFile::copy(FAKE_CONVERTER, program.filePath("kodavert.dll")));
    ASSERT_TRUE(QDir(program.path()).mkdir("Video Output"));
    input = program.filePath("talk.flv");
    WriteFile(input, "FLV");
    Open();
  }

  void TearDown() override {
    w.reset();
    ExpectNothingLeft();
    platform::testing::SetShellDouble({});
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
    return WaitUntil([&] { return w->view.Text("T1_0").startsWith(prefix); });
  }
};

TEST_F(ConversionRunTest, ConvertShowsRisingPercentagesAndEndsDone) {
  // A path that a shell would split, expand or take for an option reaches the converter intact.
  ASSERT_TRUE(QDir(program.path()).mkdir("my clips"));
  input = program.filePath("my clips/-it's \"$(touch pwned)\"\n\u00e9t\u00e9.flv");
  WriteFile(input, "FLV");
  Open();
  Script(Header() + "wait 600\n" + Progress(2) + "wait 600\n" + Progress(5) + "wait 600\n" + Progress(10.4) +
         "wait 600\n");
  w->view.texts["T1_2"] = "kept";
  // A descriptor that the program left inheritable must still not reach the converter.
  const int inheritable = ::open("/dev/null", O_RDONLY);

  w->window.B1_Click(1);
  ::close(inheritable);
  EXPECT_FALSE(w->view.IsEnabled("B1_1"));
  EXPECT_TRUE(w->view.IsEnabled("B1_0"));
  ASSERT_TRUE(w->WaitForIdle());

  EXPECT_EQ(w->view.statusTexts.first(), Loading);
  EXPECT_EQ(Percentages(w->view.statusTexts), (QList<int>{20, 50, 100}));
  EXPECT_EQ(w->view.Text("T1_0"), Done);
  EXPECT_EQ(w->view.Text("T1_2"), "kept");  // only an information run writes there
  EXPECT_EQ(w->window.ConversionSettings, conversion::ConversionSettings{});
  EXPECT_TRUE(w->view.messages.empty());

  const QString base = input.section('/', -1).chopped(4);
  EXPECT_EQ(w->window.OutputPath, program.filePath("Video Output/" + base + "_new.avi"));
  EXPECT_EQ(ReportedArguments(),
            (QStringList{program.filePath("kodavert.dll"), "-i", input, "-y", "-b", "360", "-r", "29.97", "-s",
                         "320x240", "-vcodec", "mpeg4", "-aspect", "16:9", "-deinterlace", "-sameq", "-acodec", "mp3",
                         "-ab", "128", "-ar", "44100", "-ac", "2", w->window.OutputPath}));
  // Standard input empty, and nothing of the program's besides the pipe.
  EXPECT_TRUE(Report().endsWith("fds: 0 1 2\nstdin:0\n")) << Report().mid(Report().indexOf("fds:")).toStdString();
  EXPECT_FALSE(QFile::exists(program.filePath("pwned")));
}

TEST_F(ConversionRunTest, EachStopAsksTheConverterOnceAndTheRunEndsWhenItHasExited) {
  struct Case {
    const char* name;
    std::function<void()> stop;  // after the converter's first progress line (none: the run stops itself)
    int button;                  // the run's: Convert or Display Video Information
    QString status;
    bool waits;  // the window stays running until the converter has gone; closing it cannot wait
  };
  const Case cases[] = {
      {"cancel", [&] { w->window.B1_Click(0); }, 1, Cancelled, true},
      {"ending time beyond the duration", nullptr, 1, Cancelled, true},
      {"information run at the output header", nullptr, 4, "", true},
      {"closing the window", [&] { w->window.Form_Unload(); }, 1, Cancelled, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(program.filePath("kodavert.terms"));
    // A converter slow to stop, which only the kill at the end of the grace time ends.
    QString steps = "count-term\n" + Header();
    for (int i = 1; i < 100; ++i) steps += Progress(i / 10.0) + "wait 200\n";
    Script(steps);
    w->view.messages.clear();
    w->view.checked["CHk1"] = c.stop == nullptr && c.button == 1;
    w->Cut("01", "11");  // unchecked again but for the ending-time row
    w->view.checked["CHk1"] = c.stop == nullptr && c.button == 1;
    w->window.B1_Click(c.button);
    ASSERT_TRUE(WaitUntil([&] { return QFile::exists(program.filePath("kodavert.terms")); }));
    const QList<int> converter = OwnChildren();
    ASSERT_EQ(converter.size(), 1);
    if (c.stop) {
      ASSERT_TRUE(WaitForStatus("Converting video... "));
      c.stop();
    }
    bool idleWhileConverterRan = false;
    ASSERT_TRUE(WaitUntil([&] {
      if (!w->Idle()) return false;
      idleWhileConverterRan = kill(converter[0], 0) == 0;
      return true;
    }));
    EXPECT_EQ(idleWhileConverterRan, !c.waits) << "a new run could write into the file the converter still writes";
    EXPECT_EQ(w->view.Text("T1_0"), c.status);
    EXPECT_EQ(w->window.ConversionSettings, conversion::ConversionSettings{});
    ExpectNothingLeft();
    QFile terms(program.filePath("kodavert.terms"));
    ASSERT_TRUE(terms.open(QIODevice::ReadOnly));
    EXPECT_EQ(terms.readAll(), "TERM\n") << "one request to stop, then the kill";
    Open();
  }
}

TEST_F(ConversionRunTest, EndingTimeBeyondTheDurationCancelsAndTerminates) {
  struct Case {
    const char* end;  // seconds box of the end; the input lasts ten seconds
    bool rejected;
    const char* name = "talk.flv";  // the input's, which the converter repeats before the duration
  };
  const Case cases[] = {{"10", false}, {"11", true}, {"05", false, "Duration: 00:00:01.00.flv"},
                        {"05", false, "a\n  Duration: 00:00:01.00, start: 0.000000\n.flv"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    input = program.filePath(c.name);
    WriteFile(input, "FLV");
    Open();
    Script(Header() + "wait 400\n" + Progress(10) + (c.rejected ? "hold\n" : "wait 100\n"));
    w->Cut("01", c.end);
    w->view.messages.clear();

    w->window.B1_Click(1);
    ASSERT_TRUE(w->WaitForIdle());
    EXPECT_EQ(ReportedArguments().mid(3, 5), (QStringList{"-y", "-ss", "1", "-t", QString::number(QString(c.end).toInt() - 1)}));
    EXPECT_EQ(w->view.messages,
              c.rejected ? QStringList{"[stop] Error: Incorrect parameters: Ending time > video duration!"} : QStringList{});
    EXPECT_EQ(w->view.Text("T1_0"), c.rejected ? Cancelled : Done);
    ExpectNothingLeft();
  }
}

TEST_F(ConversionRunTest, InformationRunShowsTheInputAndStopsAtTheOutputHeader) {
  // The header arrives cut in two between reads, and the converter would go on for ever.
  Script("print Input #0, flv, from 'talk.flv':\\n  Dura\nwait 500\n"
         "print tion: 00:00:10.00, start: 0.000000\\n  Stream #0:0: Video: flv1\\nOutp\nwait 500\n"
         "print ut #0, avi, to 'talk_new.avi':\\n  Stream #0:0: Video: mpeg4\\n\n" + Progress(1) + "hold\n");
  w->view.texts["T1_2"] = "old information";
  w->view.texts["T1_0"] = "old status";

  w->window.B1_Click(4);
  EXPECT_EQ(w->view.Text("T1_2"), "");
  EXPECT_EQ(w->view.statusTexts.mid(0, 2), (QStringList{"", Loading}));
  ASSERT_TRUE(w->WaitForIdle());
  EXPECT_EQ(w->view.Text("T1_2"),
            "Input #0, flv, from 'talk.flv':\n  Duration: 00:00:10.00, start: 0.000000\n  Stream #0:0: Video: flv1");
  EXPECT_EQ(w->view.Text("T1_0"), "");
}

TEST_F(ConversionRunTest, ProgressWithoutADurationOfItsOwnLeavesTheStatusAlone) {
  // A first run leaves a duration behind, which must not serve the next video.
  Script(Header() + "wait 400\n" + Progress(5));
  w->window.B1_Click(1);
  ASSERT_TRUE(w->WaitForIdle());
  ASSERT_EQ(Percentages(w->view.statusTexts), QList<int>{50});

  Script(Progress(5) + "wait 400\n" + Progress(6));
  w->view.statusTexts.clear();
  w->window.B1_Click(1);
  ASSERT_TRUE(w->WaitForIdle());
  EXPECT_EQ(w->view.statusTexts, (QStringList{Loading, Done}));
}

TEST_F(ConversionRunTest, ConverterThatFailsIsReportedWithItsLastLines) {
  QString steps = Header();
  for (int i = 1; i <= 12; ++i) steps += QString("print   warning %1 of many\\n\n").arg(i);
  steps += "print Error: cannot write the output: No space left on device. Nothing was kept of the output.\\n\nexit 1\n";
  Script(steps);
  w->view.texts["T1_2"] = "earlier information";
  w->window.B1_Click(1);
  ASSERT_TRUE(w->WaitForIdle());
  EXPECT_EQ(w->view.Text("T1_0"), Failed);
  const QStringList shown = w->view.Text("T1_2").split("\r\n");
  ASSERT_EQ(shown.size(), 8);
  EXPECT_EQ(shown.first(), "  warning 6 of many");
  EXPECT_EQ(shown.last(), "Error: cannot write the output: No space left on device. Nothing was kept of the output.");
  EXPECT_EQ(w->window.ConversionSettings, conversion::ConversionSettings{});

  // An information run has shown everything already; only the status line tells.
  Script("print Input #0, flv, from 'talk.flv':\\nError: not a video\\n\nexit 1\n");
  w->window.B1_Click(4);
  ASSERT_TRUE(w->WaitForIdle());
  EXPECT_EQ(w->view.Text("T1_0"), Failed);
  EXPECT_EQ(w->view.Text("T1_2"), "Input #0, flv, from 'talk.flv':\nError: not a video\n");
}

TEST_F(ConversionRunTest, ConverterThatCannotStartReturnsToIdle) {
  struct Case {
    const char* name;
    std::function<void()> breakIt;
    QString status;
  };
  const Case cases[] = {
      {"missing", [&] { QFile::remove(program.filePath("kodavert.dll")); },
       "Unable to locate decoder. Please reinstall the software."},
      {"not executable", [&] { QFile::setPermissions(program.filePath("kodavert.dll"), QFile::ReadOwner); },
       "Unable to start decoder. Please reinstall the software."},
      {"not a program", [&] { WriteFile(program.filePath("kodavert.dll"), "MZ"); },
       "Unable to start decoder. Please reinstall the software."},
      {"a folder", [&] { QFile::remove(program.filePath("kodavert.dll")); QDir(program.path()).mkdir("kodavert.dll"); },
       "Unable to locate decoder. Please reinstall the software."},
  };
  w->view.listIndex["CBO"] = int(w->view.items["CBO"].indexOf("Zune MPEG-4 AVC"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(program.filePath("kodavert.dll"));
    ASSERT_TRUE(QFile::copy(FAKE_CONVERTER, program.filePath("kodavert.dll")));
    c.breakIt();
    // Pressed again and again, nothing may pile up.
    for (int button : {1, 4, 1, 4, 1, 4, 1, 4, 1, 4, 1, 4, 1, 4, 1, 4, 1, 4, 1, 4}) {
      w->window.B1_Click(button);
      EXPECT_TRUE(w->Idle());
      EXPECT_EQ(w->view.Text("T1_0"), c.status);
    }
    EXPECT_TRUE(w->view.messages.empty());
    // Nothing of this format may reach the next run with another one.
    EXPECT_EQ(w->window.ConversionSettings, conversion::ConversionSettings{});
    ExpectNothingLeft();
  }
}

TEST_F(ConversionRunTest, ClosingOrDestroyingTheWindowMidRunReleasesEverything) {
  Script(Header() + "wait 400\n" + Progress(1) + "hold\n");
  w->window.B1_Click(1);
  ASSERT_TRUE(WaitForStatus("Converting video... "));
  w->window.Form_Unload();
  EXPECT_TRUE(w->Idle());
  EXPECT_EQ(w->view.Text("T1_0"), Cancelled);
  ExpectNothingLeft();
  w->window.B1_Click(4);
  ASSERT_TRUE(WaitUntil([&] { return !OwnChildren().isEmpty(); }));
  // TearDown destroys the window mid-run and checks.
}

TEST_F(ConversionRunTest, ChecksRunInOrderAndReturnToIdle) {
  struct Case {
    const char* name;
    std::function<void()> prepare;
    const char* message;  // empty: every check passes and the run starts
  };
  const Case cases[] = {
      {"input gone", [&] { QFile::remove(input); }, "Input file doesn't exist!"},
      {"folder gone", [&] { w->view.texts["T1_1"] = program.filePath("nowhere"); }, "Output folder doesn't exist!"},
      {"folder hidden", [&] { QDir(program.path()).mkdir(".out"); w->view.texts["T1_1"] = program.filePath(".out"); },
       "Output folder doesn't exist!"},
      {"start equals end", [&] { w->view.checked["CHk1"] = true; w->view.texts["T2_1"] = "01"; w->view.texts["T2_4"] = "01"; },
       "Incorrect parameters: Starting time >= ending time!"},
      {"start after end", [&] { w->view.checked["CHk1"] = true; w->view.texts["T2_0"] = "1"; w->view.texts["T2_3"] = "00"; w->view.texts["T2_5"] = "59"; },
       "Incorrect parameters: Starting time >= ending time!"},
      {"start just before end", [&] { w->view.checked["CHk1"] = true; w->view.texts["T2_2"] = "59"; w->view.texts["T2_4"] = "1"; }, ""},
      {"folder box names a file", [&] { w->view.texts["T1_1"] = input; }, ""},
      {"cut boxes not read when unchecked", [&] { w->view.texts["T2_2"] = "59"; }, ""},
  };
  Script("exit 0\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(input, "FLV");
    Open();
    for (int i = 0; i < 6; ++i) w->view.texts[QString("T2_%1").arg(i)] = "00";
    c.prepare();
    w->window.B1_Click(1);
    EXPECT_EQ(w->view.messages, *c.message ? QStringList{QString("[stop] Error: ") + c.message} : QStringList{});
    if (*c.message) {
      EXPECT_TRUE(w->Idle());
      EXPECT_TRUE(w->view.statusTexts.isEmpty());
    } else {
      EXPECT_TRUE(w->WaitForIdle());
      EXPECT_EQ(w->view.Text("T1_0"), Done);
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
    EXPECT_EQ(w->view.Text("T1_1"), videos);
    EXPECT_FALSE(QFileInfo::exists(videos));  // made only when first needed
    w->window.B1_Click(3);
    EXPECT_TRUE(QFileInfo(videos).isDir());
    EXPECT_EQ(shellCommands.last(), platform::ExplorerCommand(videos));
    ASSERT_TRUE(QDir().rmdir(videos));
    w->window.B1_Click(1);
    ASSERT_TRUE(w->WaitForIdle());
    EXPECT_EQ(w->view.Text("T1_0"), Done);
    EXPECT_EQ(w->window.OutputPath, videos + "/talk_new.avi");
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
    EXPECT_EQ(w->window.InputBaseName, base) << path;
  }

  const QString folder = w->view.Text("T1_1");
  w->window.B1_Click(2);  // the chooser was cancelled
  EXPECT_EQ(w->view.Text("T1_1"), folder);
  w->chosenFolder = "/somewhere else";
  w->window.B1_Click(2);
  w->window.B1_Click(3);  // no test first: the folder need not exist
  EXPECT_EQ(shellCommands, QList<QStringList>{platform::ExplorerCommand("/somewhere else")});
}

}  // namespace
