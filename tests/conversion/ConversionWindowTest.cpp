// The conversion window's logic over a plain-value view, with the scripted stand-in converter
// started as a real child process and the timer driven by the event loop.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QRegularExpression>

#include "FakeRun.h"

using namespace testsupport;

namespace {

TEST_F(ConversionRunTest, ConvertShowsRisingPercentagesAndEndsDone) {
  // A path that a shell would split, expand or take for an option reaches the converter intact.
  ASSERT_TRUE(QDir(program.path()).mkdir("my clips"));
  input = program.filePath("my clips/-it's \"$(touch pwned)\"\n\u00e9t\u00e9.flv");
  WriteFile(input, "FLV");
  Open();
  Script(Header() + "wait 600\n" + Progress(2) + "wait 600\n" + Progress(5) + "wait 600\n" + Progress(10.4) +
         "wait 600\n");
  w->view.texts[InformationBox] = "kept";
  // A descriptor that the program left inheritable must still not reach the converter.
  const int inheritable = ::open("/dev/null", O_RDONLY);

  w->window.B1_Click(Convert);
  ::close(inheritable);
  EXPECT_FALSE(w->view.IsEnabled(ConvertButton));
  EXPECT_TRUE(w->view.IsEnabled(CancelButton));
  ASSERT_TRUE(w->WaitForIdle());

  EXPECT_EQ(w->view.statusTexts.first(), Loading);
  EXPECT_EQ(Percentages(w->view.statusTexts), (QList<int>{20, 50, 100}));
  EXPECT_EQ(w->view.Text(StatusLine), Done);
  // The bar and the title follow the same percentages; the title and the time left end as before.
  EXPECT_EQ(w->view.barTexts, (QStringList{"", "0", "20", "50", "100"}));
  const QString title = " Convert YouTube Video To New Format";
  EXPECT_EQ(w->view.captions, (QStringList{"20% \u00b7" + title, "50% \u00b7" + title, "100% \u00b7" + title, title}));
  EXPECT_TRUE(w->view.timeLeftTexts.filter(QRegularExpression("^About \\d+ (seconds|minutes?) left$")).size() >= 3)
      << w->view.timeLeftTexts.join(" | ").toStdString();
  EXPECT_EQ(w->view.Text(TimeLeftLabel), "");
  EXPECT_EQ(w->view.Text(InformationBox), "kept");  // only an information run writes there
  EXPECT_EQ(w->window.Settings(), conversion::ConversionSettings{});
  EXPECT_TRUE(w->view.messages.empty());

  const QString base = input.section('/', -1).chopped(4);
  EXPECT_EQ(w->window.OutputPath(), program.filePath("Video Output/" + base + "_new.avi"));
  const QString options =
      "-y -b 360 -r 29.97 -s 320x240 -vcodec mpeg4 -aspect 16:9 -deinterlace -sameq "
      "-acodec mp3 -ab 128 -ar 44100 -ac 2";
  const QStringList expected = QStringList{program.filePath("kodavert.dll"), "-i", input} + options.split(' ') +
                               QStringList{w->window.OutputPath()};
  EXPECT_EQ(ReportedArguments(), expected);
  // Standard input empty, and nothing of the program's besides the pipe.
  EXPECT_TRUE(Report().endsWith("fds: 0 1 2\nstdin:0\n")) << Report().mid(Report().indexOf("fds:")).toStdString();
  EXPECT_FALSE(QFile::exists(program.filePath("pwned")));
}

TEST_F(ConversionRunTest, EachStopAsksTheConverterOnceAndTheRunEndsWhenItHasExited) {
  struct Case {
    const char* name;
    std::function<void()> stop;  // after the converter's first progress line (none: the run stops itself)
    Button button;               // the run's: Convert or Display Video Information
    QString status;
    bool waits;  // the window stays running until the converter has gone; closing it cannot wait
  };
  const Case cases[] = {
      {"cancel", [&] { w->window.B1_Click(Cancel); }, Convert, Cancelled, true},
      {"ending time beyond the duration", nullptr, Convert, Cancelled, true},
      {"information run at the output header", nullptr, DisplayInformation, "", true},
      {"closing the window", [&] { w->window.Form_Unload(); }, Convert, Cancelled, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(program.filePath("kodavert.terms"));
    // A converter slow to stop, which only the kill at the end of the grace time ends.
    QString steps = "count-term\n" + Header();
    for (int i = 1; i < 100; ++i) steps += Progress(i / 10.0) + "wait 200\n";
    Script(steps);
    w->view.messages.clear();
    w->view.checked[CutCheckBox] = c.stop == nullptr && c.button == Convert;
    w->Cut("01", "11");  // unchecked again but for the ending-time row
    w->view.checked[CutCheckBox] = c.stop == nullptr && c.button == Convert;
    w->window.B1_Click(c.button);
    ASSERT_TRUE(WaitUntil([&] { return QFile::exists(program.filePath("kodavert.terms")); }));
    const QList<int> converter = OwnChildren();
    ASSERT_EQ(converter.size(), 1);
    if (c.stop) {
      ASSERT_TRUE(WaitForStatus(Converting));
      c.stop();
    }
    bool idleWhileConverterRan = false;
    ASSERT_TRUE(WaitUntil([&] {
      if (!w->Idle()) return false;
      idleWhileConverterRan = kill(converter[0], 0) == 0;
      return true;
    }));
    EXPECT_EQ(idleWhileConverterRan, !c.waits) << "a new run could write into the file the converter still writes";
    EXPECT_EQ(w->view.Text(StatusLine), c.status);
    EXPECT_EQ(w->window.Settings(), conversion::ConversionSettings{});
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
  const Case cases[] = {{"10", false},
                        {"11", true},
                        {"05", false, "Duration: 00:00:01.00.flv"},
                        {"05", false, "a\n  Duration: 00:00:01.00, start: 0.000000\n.flv"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    input = program.filePath(c.name);
    WriteFile(input, "FLV");
    Open();
    Script(Header() + "wait 400\n" + Progress(10) + (c.rejected ? "hold\n" : "wait 100\n"));
    w->Cut("01", c.end);
    w->view.messages.clear();

    w->window.B1_Click(Convert);
    ASSERT_TRUE(w->WaitForIdle());
    EXPECT_EQ(ReportedArguments().mid(3, 5),
              (QStringList{"-y", "-ss", "1", "-t", QString::number(QString(c.end).toInt() - 1)}));
    EXPECT_EQ(w->view.messages, c.rejected
                                    ? QStringList{"[stop] Error: Incorrect parameters: Ending time > video duration!"}
                                    : QStringList{});
    EXPECT_EQ(w->view.Text(StatusLine), c.rejected ? Cancelled : Done);
    ExpectNothingLeft();
  }
}

TEST_F(ConversionRunTest, InformationRunShowsTheInputAndStopsAtTheOutputHeader) {
  // The header arrives cut in two between reads, and the converter would go on for ever.
  Script(
      "print Input #0, flv, from 'talk.flv':\\n  Dura\nwait 500\n"
      "print tion: 00:00:10.00, start: 0.000000\\n  Stream #0:0: Video: flv1\\nOutp\nwait 500\n"
      "print ut #0, avi, to 'talk_new.avi':\\n  Stream #0:0: Video: mpeg4\\n\n" +
      Progress(1) + "hold\n");
  w->view.texts[InformationBox] = "old information";
  w->view.texts[StatusLine] = "old status";

  w->window.B1_Click(DisplayInformation);
  EXPECT_EQ(w->view.Text(InformationBox), "");
  EXPECT_EQ(w->view.statusTexts.mid(0, 2), (QStringList{"", Loading}));
  ASSERT_TRUE(w->WaitForIdle());
  EXPECT_EQ(w->view.Text(InformationBox),
            "Input #0, flv, from 'talk.flv':\n  Duration: 00:00:10.00, start: 0.000000\n  Stream #0:0: Video: flv1");
  EXPECT_EQ(w->view.Text(StatusLine), "");
  EXPECT_EQ(w->view.barTexts, QStringList{""});
}

TEST_F(ConversionRunTest, ProgressWithoutADurationOfItsOwnLeavesTheStatusAlone) {
  // A first run leaves a duration behind, which must not serve the next video.
  Script(Header() + "wait 400\n" + Progress(5));
  w->window.B1_Click(Convert);
  ASSERT_TRUE(w->WaitForIdle());
  ASSERT_EQ(Percentages(w->view.statusTexts), QList<int>{50});

  Script(Progress(5) + "wait 400\n" + Progress(6));
  w->view.statusTexts.clear();
  w->window.B1_Click(Convert);
  ASSERT_TRUE(w->WaitForIdle());
  EXPECT_EQ(w->view.statusTexts, (QStringList{Loading, Done}));
}

TEST_F(ConversionRunTest, ConverterThatFailsIsReportedWithItsLastLines) {
  QString steps = Header();
  for (int i = 1; i <= 12; ++i) steps += QString("print   warning %1 of many\\n\n").arg(i);
  steps +=
      "print Error: cannot write the output: No space left on device. Nothing was kept of the output.\\n\nexit 1\n";
  Script(steps);
  w->view.texts[InformationBox] = "earlier information";
  w->window.B1_Click(Convert);
  ASSERT_TRUE(w->WaitForIdle());
  EXPECT_EQ(w->view.Text(StatusLine), Failed);
  const QStringList shown = w->view.Text(InformationBox).split("\r\n");
  ASSERT_EQ(shown.size(), 8);
  EXPECT_EQ(shown.first(), "  warning 6 of many");
  EXPECT_EQ(shown.last(), "Error: cannot write the output: No space left on device. Nothing was kept of the output.");
  EXPECT_EQ(w->window.Settings(), conversion::ConversionSettings{});

  // An information run has shown everything already; only the status line tells.
  Script("print Input #0, flv, from 'talk.flv':\\nError: not a video\\n\nexit 1\n");
  w->window.B1_Click(DisplayInformation);
  ASSERT_TRUE(w->WaitForIdle());
  EXPECT_EQ(w->view.Text(StatusLine), Failed);
  EXPECT_EQ(w->view.Text(InformationBox), "Input #0, flv, from 'talk.flv':\nError: not a video\n");
}

TEST_F(ConversionRunTest, ConverterThatCannotStartReturnsToIdle) {
  struct Case {
    const char* name;
    std::function<void()> breakIt;
    QString status;
  };
  const Case cases[] = {
      {"missing", [&] { QFile::remove(program.filePath("kodavert.dll")); }, ConverterMissing},
      {"not executable", [&] { QFile::setPermissions(program.filePath("kodavert.dll"), QFile::ReadOwner); },
       StartFailed},
      {"not a program", [&] { WriteFile(program.filePath("kodavert.dll"), "MZ"); }, StartFailed},
      {"a folder",
       [&] {
         QFile::remove(program.filePath("kodavert.dll"));
         QDir(program.path()).mkdir("kodavert.dll");
       },
       ConverterMissing},
  };
  w->view.listIndex[FormatList] = int(w->view.items[FormatList].indexOf("Zune MPEG-4 AVC"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(program.filePath("kodavert.dll"));
    ASSERT_TRUE(QFile::copy(FAKE_CONVERTER, program.filePath("kodavert.dll")));
    c.breakIt();
    // Pressed again and again, nothing may pile up.
    for (int press = 0; press < 20; ++press) {
      const Button button = press % 2 ? DisplayInformation : Convert;
      w->window.B1_Click(button);
      EXPECT_TRUE(w->Idle());
      EXPECT_EQ(w->view.Text(StatusLine), c.status);
    }
    EXPECT_TRUE(w->view.messages.empty());
    // Nothing of this format may reach the next run with another one.
    EXPECT_EQ(w->window.Settings(), conversion::ConversionSettings{});
    ExpectNothingLeft();
  }
}

// Closing it is a case of the stops above.
TEST_F(ConversionRunTest, DestroyingTheWindowMidRunReleasesEverything) {
  Script(Header() + "wait 400\n" + Progress(1) + "hold\n");
  w->window.B1_Click(DisplayInformation);
  ASSERT_TRUE(WaitUntil([&] { return !OwnChildren().isEmpty(); }));
  // TearDown destroys the window mid-run and checks.
}

TEST_F(ConversionRunTest, RemembersTheFolderChosenWithBrowseAndTheFormatLastConvertedTo) {
  using platform::Choice;
  const QString music = program.filePath("Music"), mp3 = "MP3 Sound (MP3)";
  ASSERT_TRUE(QDir().mkdir(music));
  w->chosenFolder = music;
  w->window.B1_Click(Browse);
  w->view.listIndex[FormatList] = int(w->view.items[FormatList].indexOf(mp3));
  Script(Header());
  w->window.B1_Click(DisplayInformation);  // shows, and converts to nothing
  ASSERT_TRUE(w->WaitForIdle());
  EXPECT_EQ(w->choices.values, (QMap<Choice, QString>{{Choice::OutputFolder, music}}));
  w->window.B1_Click(Convert);
  ASSERT_TRUE(w->WaitForIdle());
  EXPECT_EQ(w->choices.values, (QMap<Choice, QString>{{Choice::OutputFolder, music}, {Choice::Format, mp3}}));

  struct Case {
    const char* name;
    QString folder, format;            // remembered
    QString shownFolder, shownFormat;  // at the next load
  };
  const QString defaultFolder = program.filePath("Video Output"), defaultFormat = "AVI (MPEG4-DivX-Best Quality)";
  const Case cases[] = {
      {"both still there", music, mp3, music, mp3},
      {"a vanished folder, a format no longer listed", program.filePath("gone"), "MP3 Sound", defaultFolder,
       defaultFormat},
      {"a file where the folder was", input, mp3, defaultFolder, mp3},
      {"nothing", "", "", defaultFolder, defaultFormat},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    w->choices.values = {{Choice::OutputFolder, c.folder}, {Choice::Format, c.format}};
    w->window.Form_Load();
    EXPECT_EQ(w->view.Text(FolderBox), c.shownFolder);
    EXPECT_EQ(w->view.Text(FormatList), c.shownFormat);
  }
}

// The desktop as the test offers it on its own session bus: a notification service, and a taskbar
// that listens for the launcher entry signal.
class Desktop : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
 public:
  QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "desktop");
  QStringList notices, updates;
  Desktop() {
    bus.registerObject("/org/freedesktop/Notifications", this, QDBusConnection::ExportAllSlots);
    bus.connect({}, {}, "com.canonical.Unity.LauncherEntry", "Update", this, SLOT(Update(QString, QVariantMap)));
  }
  ~Desktop() override { QDBusConnection::disconnectFromBus("desktop"); }
  bool Offer(bool offered) {
    return offered ? bus.registerService("org.freedesktop.Notifications")
                   : bus.unregisterService("org.freedesktop.Notifications");
  }

 public slots:
  uint Notify(const QString& app, uint, const QString&, const QString& summary, const QString& body, const QStringList&,
              const QVariantMap&, int) {
    notices << app + ": " + summary + " | " + body;
    return uint(notices.size());
  }
  void Update(const QString& uri, const QVariantMap& properties) {
    updates << uri + " " + QString::number(properties["progress"].toDouble()) +
                   (properties["progress-visible"].toBool() ? " shown" : " hidden");
  }
};

TEST_F(ConversionRunTest, TellsTheDesktopTheProgressAndTheEndOfARunThatTheUserDoesNotWatch) {
  if (!QDBusConnection::sessionBus().isConnected()) GTEST_SKIP() << "no session bus: run under dbus-run-session";
  Desktop desktop;
  const QString app = QCoreApplication::applicationName(), uri = "application://quillbrook.desktop";
  const QString output = program.filePath("Video Output/talk_new.avi");
  struct Case {
    const char* name;
    bool windowActive, service, cancel;
    QString end;  // of the script, after a progress line at 50%
    QStringList notices;
  };
  const Case cases[] = {
      {"done while away",
       false,
       true,
       false,
       "",
       {app + ": Done: talk_new.avi | Saved in " + program.filePath("Video Output")}},
      {"failed while away",
       false,
       true,
       false,
       "exit 1\n",
       {app + ": Conversion failed: talk_new.avi | The converter could not finish it."}},
      {"done in sight", true, true, false, "", {}},
      {"cancelled while away", false, true, true, "hold\n", {}},
      {"done without a notification service", false, false, false, "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(desktop.Offer(c.service));
    desktop.notices.clear();
    desktop.updates.clear();
    Script(Header() + "wait 400\n" + Progress(5) + "wait 400\n" + c.end);
    w->view.active = c.windowActive;
    w->window.B1_Click(Convert);
    if (c.cancel) {
      ASSERT_TRUE(WaitForStatus("Converting video... "));
      w->window.B1_Click(Cancel);
    }
    ASSERT_TRUE(w->WaitForIdle());
    // The taskbar hears of the end last; whatever notice came, came before.
    ASSERT_TRUE(WaitUntil([&] { return desktop.updates.size() >= 3; })) << desktop.updates.join(" | ").toStdString();
    EXPECT_EQ(desktop.updates, (QStringList{uri + " 0 shown", uri + " 0.5 shown", uri + " 0 hidden"}));
    EXPECT_EQ(desktop.notices, c.notices);
    EXPECT_TRUE(w->window.OutputPath() == output);
  }
}

}  // namespace

#include "ConversionWindowTest.moc"
