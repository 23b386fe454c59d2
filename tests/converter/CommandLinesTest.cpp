// Command lines as users and the presets of 2008-2010 wrote them for the stock tool, and the inputs
// the converter meets, run for real on a generated Flash video (320x240, 25 fps, MP3 at 22050 Hz
// mono): each output holds what its line asks for; what the converter cannot honour is refused with
// one error line, an honest status and nothing written; no line crashes or hangs it.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ConverterHarness.h"
#include "tests/support/LocalHttpServer.h"

namespace convertertest {
namespace {

struct Line {
  const char* what;
  // IN is the generated video; SRC/ the folder beside it, with the damaged files and a 4K clip below;
  // DIR/ the run's own folder; HTTP/ a server that drops the connection half-way through IN; MEDIA/
  // the shared real media.
  const char* command;
  const char* holds;  // the last word's file, as Describe writes it; empty: nothing may be written
  int exitCode = 0;
  const char* said = "";  // in the converter's lines: the error, or the first warning
  int warnings = 0;
  const char* inFile = "";  // '|'-separated texts in the output (x264 writes its settings into it)
  double seconds = 0;       // of the picture and the sound, when the line limits them
  bool atLeast = false;     // `seconds` of picture at least: what a damaged input still holds
};

// clang-format off
const Line kLines[] = {
    // The lines the presets of the time wrote.
    {"phone MP4 with libfaac", "-i IN -y -vcodec mpeg4 -b 250kb -s qvga -r 15 -acodec libfaac -ab 64kb -ar 44100 "
     "-ac 2 -f mp4 DIR/phone.mp4", "mpeg4 320x240 15 aac 44100 2"},
    {"PAL DVD", "-i IN -y -target pal-dvd DIR/dvd.mpg", "mpeg2video 720x576 25 ac3 48000 2"},
    {"NTSC VCD", "-i IN -y -target ntsc-vcd DIR/vcd.mpg", "mpeg1video 352x240 29.97 mp2 44100 2"},
    {"NTSC DV", "-i IN -y -target ntsc-dv DIR/tape.dv", "dvvideo 720x480 29.97 pcm_s16le 48000 2"},
    {"DV without -target", "-i IN -y -s pal -r pal -pix_fmt yuv420p -vcodec dvvideo -acodec pcm_s16le -ar 48000 "
     "-ac 2 -f dv DIR/tape.dv", "dvvideo 720x576 25 pcm_s16le 48000 2"},
    {"anamorphic XviD cut", "-i IN -y -vcodec xvid -vtag XVID -croptop 30 -cropbottom 30 -s 320x180 -aspect 16:9 "
     "-b 800k -acodec libmp3lame -ab 128kb -ar 44100 -ac 2 DIR/wide.avi", "mpeg4 320x180 25 mp3 44100 2"},
    {"x264 iPod", "-i IN -y -vcodec libx264 -flags +loop -cmp +chroma -partitions +parti4x4+partp8x8+partb8x8 "
     "-me_method umh -subq 5 -trellis 1 -refs 1 -coder 0 -me_range 16 -g 300 -keyint_min 25 -sc_threshold 40 "
     "-i_qfactor 0.71 -maxrate 768k -bufsize 2M -level 30 -bf 0 -s 320x240 -acodec libfaac -ab 128k DIR/ipod.mp4",
     "h264 320x240 25 aac 22050 1", 0, "", 0,
     "cabac=0 ref=1 deblock=1:0:0 analyse=0x3:0x111 me=umh subme=5|trellis=1|keyint=300 keyint_min=25 "
     "scenecut=40|vbv_maxrate=768 vbv_bufsize=2000"},
    {"OGG sound", "-i IN -y -vn -acodec vorbis -aq 6 -ar 44100 -ac 2 DIR/sound.ogg", "vorbis 44100 2"},
    // A number option followed by another option is a switch; -cgop too; libxvid's tag where the container has it.
    {"XviD preset with switches", "-i IN -y -f avi -r 29.97 -vcodec libxvid -vtag XVID -s 640x480 -aspect 4:3 "
     "-maxrate 1800kb -b 1500kb -qmin 3 -qmax 5 -bufsize 4096 -mbd 2 -bf 2 -flags +4mv -trellis -aic -cmp 2 -subcmp 2 "
     "-g 300 -acodec libmp3lame -ar 48000 -ab 128kb -ac 2 DIR/xvid.avi", "mpeg4 640x480 29.97 mp3 48000 2"},
    {"DVD preset with closed GOPs", "-i IN -y -vcodec mpeg2video -r 25.00 -s 352x576 -aspect 16:9 -b 4000k -mbd rd "
     "-flags +trell -mv0 -cgop -cmp 2 -subcmp 2 -acodec mp2 -ab 192k -ar 48000 -ac 2 DIR/dvd.mpg",
     "mpeg2video 352x576 25 mp2 48000 2", 0, "Warning: mpeg2video cannot close its GOPs", 1},
    {"XviD into MP4", "-i IN -y -f mp4 -b 800kb -r 29.97 -s 320x240 -aspect 4:3 -vcodec libxvid -ar 48000 -ab 80kb "
     "-ac 2 -acodec libfaac DIR/xvid.mp4", "mpeg4 320x240 29.97 aac 48000 2"},
    {"RealMedia from 4K", "-i SRC/4k.flv -y -vcodec rv20 -deinterlace -sameq -ac 2 -ar 44100 DIR/big.rm",
     "rv20 1280x720 25 ac3 44100 2", 0, "Warning: RealMedia packets must stay under 64 kB; writing 1280x720", 2},
    // Values as that time wrote them.
    {"decimal aspect, named size, fraction rate, plain bit/s", "-i IN -y -vcodec msmpeg4 -b 1.5M -s cif "
     "-r 30000/1001 -aspect 2.35 -acodec mp3 -ab 128000 -ar 44100 DIR/ms.avi", "msmpeg4v3 352x288 29.97 mp3 44100 1"},
    {"crop without -s", "-i IN -y -vcodec mpeg4 -croptop 40 -cropbottom 40 -cropleft 8 -cropright 8 DIR/crop.avi",
     "mpeg4 304x160 25 mp3 22050 1"},
    {"letterbox padding", "-i IN -y -vcodec mpeg4 -s 320x180 -padtop 30 -padbottom 30 -padcolor 000000 DIR/pad.avi",
     "mpeg4 320x240 25 mp3 22050 1"},
    // Options of the encoders and the muxer, under today's names and those of the time.
    {"MPEG-4 tuning", "-i IN -y -vcodec mpeg4 -flags +4mv+aic -mbd 2 -trellis 1 -cmp 2 -subcmp 2 -g 12 -bf 2 "
     "-qmin 2 -qmax 31 -me_method epzs -mv0 -strict experimental -an DIR/tuned.avi", "mpeg4 320x240 25"},
    {"x264 switches of -flags2", "-i IN -y -vcodec libx264 -flags2 +bpyramid+mixed_refs+wpred+dct8x8-fastpskip "
     "-deblockalpha -1 -deblockbeta -2 -directpred 3 -bf 3 -vpre hq -crf 22 -maxrate 800 -bufsize 1000000 -an "
     "DIR/flags2.mp4", "h264 320x240 25", 0, "", 0,
     "deblock=1:-1:-2|mixed_ref=1|8x8dct=1|fast_pskip=0|b_pyramid=2|direct=3|weightb=1|crf=22.0|subme=8|"
     "vbv_maxrate=800 vbv_bufsize=1000"},
    {"x264 preset file", "-i IN -y -vcodec libx264 -vpre ipod320 -s qvga -an DIR/preset.mp4", "h264 320x240 25", 0, "",
     0, "cabac=0|bframes=0"},
    {"H.263+ switches", "-i IN -y -vcodec h263p -aic -umv -s qcif -an -f avi DIR/p.avi", "h263 176x144 25"},
    {"film SVCD", "-i IN -y -target film-svcd DIR/film.mpg", "mpeg2video 480x480 23.98 mp2 44100 2"},
    // AVI cannot hide pictures before the start: both streams start at the key frame 0.48 s before it.
    {"copied picture, cut", "-i IN -y -vcodec copy -acodec libmp3lame -ab 64k -ss 1 -t 1 DIR/copy.avi",
     "flv1 320x240 25 mp3 22050 1", 0, "", 0, "", 1.48},
    {"copied H.264 and MP3, cut between key frames", "-i MEDIA/h264_mp3_chaplin_moviepy.mp4 -y -ss 2 -t 3 -vcodec copy "
     "-acodec copy DIR/cut.mp4", "h264 640x360 25 mp3 44100 2", 0, "", 0, "", 3},
    {"copied H.264 into AVI", "-i MEDIA/h264_aac_480_red5.f4v -y -t 2 -vcodec copy DIR/copy.avi",
     "h264 720x480 25 mp3 44100 2"},
    {"picture file", "-i IN -y -vframes 1 DIR/still.png", "png 320x240 25"},
    {"bitmap picture", "-i IN -y -vframes 1 DIR/still.bmp", "bmp 320x240 25"},
    {"frame count", "-i IN -y -vcodec mpeg4 -vframes 25 DIR/short.avi", "mpeg4 320x240 25 mp3 22050 1", 0, "", 0, "",
     1},
    // Accepted, saying what does not apply.
    {"retired options", "-i IN -y -vcodec mpeg4 -threads 2 -async 1 -me_threshold 3 -mb_threshold 3 -map_metadata 0:0 "
     "DIR/old.avi", "mpeg4 320x240 25 mp3 22050 1", 0, "Warning: -threads has no effect here", 5},
    {"option of another encoder", "-i IN -y -vcodec mpeg4 -coder 1 DIR/other.avi", "mpeg4 320x240 25 mp3 22050 1", 0,
     "Warning: -coder 1 means nothing to mpeg4, libmp3lame, avi", 1},
    {"help", "-i IN -y -vcodec mpeg4 -h DIR/out.avi", "", 0, "Own options:\n  -i FILE                 the input file"},
    {"help, long form", "-i IN -y --help DIR/out.avi", "", 0, "Refused:\n  -map M"},
    // Refused before anything is written.
    {"no output", "-i IN -y", "", 2, "no output file"},
    {"empty output", "-i IN -y ", "", 2, "no output file"},  // the last word is empty
    {"no input", "-y DIR/out.avi", "", 2, "no input file"},
    {"second input", "-i IN -y -i other.flv DIR/out.avi", "", 2, "Error: more than one input"},
    {"second output", "-i IN -y DIR/a.avi DIR/out.avi", "", 2, "more than one output"},
    {"output over the input", "-i IN -y IN", "", 2, "is the input file itself"},
    {"output over the input named as a file: address", "-i IN -y file:IN", "", 2, "is the input file itself"},
    {"input named as a file: address, output over it", "-i file:IN -y IN", "", 2, "is the input file itself"},
    {"existing output named as a file: address, without -y", "-i IN file:SRC/kept.avi", "", 1, "-y"},
    {"two-pass log over the input", "-i SRC/pass-0.log -y -pass 1 -passlogfile SRC/pass -vcodec mpeg4 DIR/out.avi", "",
     2, "Error: the two-pass log 'SRC/pass-0.log' would be the input file"},
    {"two-pass log over the output", "-i IN -y -pass 1 -passlogfile DIR/out -vcodec mpeg4 -f avi DIR/out-0.log", "", 2,
     "would be the output file"},
    {"quantiser far out of range", "-i IN -y -qscale 1e308 DIR/out.avi", "", 2,
     "invalid value '1e308' for option -qscale"},
    {"rate factor beyond x264's", "-i IN -y -vcodec libx264 -qscale 100 DIR/out.mp4", "", 2,
     "Error: -qscale 100 is out of range for libx264"},
    {"quantiser beyond MPEG-4's", "-i IN -y -vcodec mpeg4 -qscale 40 DIR/out.avi", "", 2,
     "Error: -qscale 40 is out of range for mpeg4"},
    {"existing output without -y", "-i IN SRC/kept.avi", "", 1, "-y"},
    {"value missing", "-i IN -y -b", "", 2, "-b needs a value"},
    {"encoder option without its value", "-i IN -y DIR/out.avi -trellis", "", 2, "option -trellis needs a value."},
    {"refused option", "-i IN -y -map 0:0 DIR/out.avi", "", 2, "Error: -map is not supported: the converter always"},
    {"unknown option", "-i IN -y -vcodec mpeg4 -nosuch 1 DIR/out.avi", "", 2, "Error: unknown option -nosuch."},
    {"bit rate in words", "-i IN -y -b fast DIR/out.avi", "", 2, "invalid value 'fast' for option -b"},
    {"size in words", "-i IN -y -s 320by240 DIR/out.avi", "", 2, "option -s"},
    {"no frame rate", "-i IN -y -r 0 DIR/out.avi", "", 2, "option -r"},
    {"negative start", "-i IN -y -ss -3 DIR/out.avi", "", 2, "option -ss"},
    {"no length", "-i IN -y -t 0 DIR/out.avi", "", 2, "option -t"},
    {"no channels", "-i IN -y -ac 0 DIR/out.avi", "", 2, "option -ac"},
    {"aspect in words", "-i IN -y -aspect wide DIR/out.avi", "", 2, "option -aspect"},
    {"unknown target", "-i IN -y -target pal-vhs DIR/out.avi", "", 2, "invalid value 'pal-vhs' for option -target"},
    {"tag without a name", "-i IN -y -metadata =x DIR/out.avi", "", 2, "Error: invalid value '=x' for option -metadata."},
    {"bad value for an encoder option", "-i IN -y -vcodec mpeg4 -qmin many DIR/out.avi", "", 2,
     "Error: invalid value 'many' for option -qmin."},
    {"a lone dash is a value, not a switch", "-i IN -y -vcodec mpeg4 -trellis - DIR/out.avi", "", 2,
     "Error: invalid value '-' for option -trellis."},
    {"unknown x264 preset file", "-i IN -y -vcodec libx264 -vpre nosuch DIR/out.mp4", "", 2,
     "Error: invalid value 'nosuch' for option -vpre."},
    {"resized copy", "-i IN -y -vcodec copy -s 160x120 DIR/out.avi", "", 2, "Error: -s cannot change the video that"},
    {"crop larger than the picture", "-i IN -y -croptop 200 -cropbottom 200 DIR/out.avi", "", 2, "Error: the crop"},
    {"nothing left", "-i IN -y -vn -an DIR/out.avi", "", 2, "Error: -vn and -an together"},
    {"unknown pad colour", "-i IN -y -padtop 10 -padcolor greenish DIR/out.avi", "", 2,
     "Error: invalid value 'greenish' for option -padcolor."},
    // Refused when the libraries say no.
    {"unknown video codec", "-i IN -y -vcodec divx9 DIR/out.avi", "", 1, "unknown video codec 'divx9'"},
    {"sound codec for a picture", "-i IN -y -acodec mpeg4 DIR/out.avi", "", 1, "unknown audio codec 'mpeg4'"},
    {"unknown container", "-i IN -y -f nosuch DIR/out.avi", "", 1, "unknown container format 'nosuch'"},
    {"container unknown by name", "-i IN -y DIR/out.xyz", "", 1, "cannot tell the container"},
    {"output folder missing", "-i IN -y DIR/missing/out.avi", "", 1, "missing/out.avi"},
    {"3GP into a missing folder", "-i IN -y -s 176x144 -r 11 -vcodec h263 -acodec amr_nb -ar 8000 -ac 1 "
     "/nonexistent/x.3gp", "", 1, "Error: cannot create '/nonexistent/x.3gp'"},
    {"3GP into a folder that may not be written", "-i IN -y -s 176x144 -r 11 -vcodec h263 -acodec amr_nb -ar 8000 "
     "-ac 1 /sys/x.3gp", "", 1, "Error: cannot create '/sys/x.3gp': Permission denied"},
    {"sound codec the container refuses", "-i IN -y -acodec flac DIR/out.3gp", "", 1, "Error: cannot start writing"},
    {"picture size the container refuses", "-i IN -y -vcodec h263p -s 320x240 DIR/out.3gp", "", 1,
     "Error: cannot start writing"},
    {"output folder a file", "-i IN -y SRC/kept.avi/out.avi", "", 1, "kept.avi/out.avi"},
    {"disk full", "-i IN -y SRC/full.avi", "", 1, "No space left on device"},
    {"second pass without the first", "-i IN -y -pass 2 -passlogfile /nonexistent/log -vcodec mpeg4 DIR/out.avi", "",
     1, "Error: cannot read the first pass's log '/nonexistent/log-0.log'"},
    {"bit rate the encoder cannot take", "-i IN -y -acodec mp2 -ab 384k DIR/out.mpg", "", 1,
     "It may not take -ab 384 kbit/s"},
    {"empty input", "-i SRC/empty.flv -y -vcodec mpeg4 DIR/out.avi", "", 1, "empty.flv"},
    {"text input", "-i SRC/text.flv -y -vcodec mpeg4 DIR/out.avi", "", 1, "text.flv"},
    {"header alone", "-i SRC/header.flv -y -vcodec mpeg4 DIR/out.avi", "", 1, "header.flv"},
    {"missing input", "-i SRC/missing.flv -y -vcodec mpeg4 DIR/out.avi", "", 1, "missing.flv"},
    // A sound-only file from an input without sound would hold nothing of it.
    {"sound format from a silent video", "-i SRC/silent.flv -y DIR/out.mp3", "", 1, "Error: the input has no sound"},
    {"sound alone from a silent video", "-i SRC/silent.flv -y -vn DIR/out.avi", "", 1,
     "Error: the input has no sound"},
    {"video format from sound alone", "-i SRC/sound.flv -y -vcodec mpeg4 DIR/out.avi", "mp3 22050 1", 0,
     "Warning: the input has no usable video; the output holds sound only.", 1},
    {"real download without streams", "-i MEDIA/broken_h264_mp3_red5.flv -y DIR/out.avi", "", 1, "no video or sound"},
    // A cut that holds nothing would give a file that plays nothing.
    {"cut past the data of a cut-off download", "-i SRC/media_half.flv -y -ss 20 -t 5 DIR/out.avi", "", 1,
     "Error: the cut starts at 20 s, after the end of the input's data"},
    {"cut past the end", "-i MEDIA/vp6_mp3_NAPNAP_red5.flv -y -ss 30 -t 3 DIR/out.avi", "", 1,
     "Error: the cut starts at 30 s, after the end of the input's data"},
    // What a damaged or cut-off input still holds is converted, and a read error is not taken for the end.
    {"format that writes no file", "-i IN -y -f null DIR/out.null", "", 0, "frame="},
    {"damaged bytes the demuxer skips", "-i SRC/damaged.flv -y -vcodec mpeg4 DIR/out.avi",
     "mpeg4 320x240 25 mp3 22050 1", 0, "", 0, "", 1.5, true},
    {"download cut off half-way", "-i SRC/half.flv -y -vcodec mpeg4 DIR/out.avi", "mpeg4 320x240 25 mp3 22050 1", 0,
     "", 0, "", 0.5, true},
    {"connection broken half-way", "-i HTTP/cut.flv -y -vcodec mpeg4 DIR/out.avi", "mpeg4 320x240 25 mp3 22050 1", 3,
     "Error: cannot read 'HTTP/cut.flv' to its end: Input/output error.", 0, "", 0.5, true},
    {"two-pass log beside a network input",
     "-i HTTP/cut.flv -y -pass 1 -passlogfile DIR/pass -vcodec mpeg4 DIR/out.avi", "mpeg4 320x240 25 mp3 22050 1", 3, "Error: cannot read 'HTTP/cut.flv'", 0, "", 0.5, true},
};
// clang-format on

void PrintTo(const Line& line, std::ostream* os) { *os << line.what; }

QByteArray Content(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Write(const QString& path, const QByteArray& content) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

class CommandLineTest : public ::testing::TestWithParam<Line> {
 protected:
  // Generating the video takes longer than most runs, so all lines share it and its damaged copies.
  struct Sources {
    QTemporaryDir folder;
    QString clip = folder.filePath("clip.flv");
    QByteArray video;
    std::vector<std::pair<QString, QByteArray>> files;  // what no run may change
    LocalHttpServer server;
    ScopedProxyEnvironment proxy{server.Address()};
  };
  static inline Sources* sources = nullptr;

  static void SetUpTestSuite() {
    sources = new Sources;
    ASSERT_TRUE(MakeFlv(sources->clip, 2));
    const QByteArray& video = sources->video = Content(sources->clip);
    const QByteArray damaged = QByteArray(video).replace(video.size() / 2, 4096, QByteArray(4096, '\xff'));
    // Its header promises 27.75 s; its data ends at about 14 s.
    const QByteArray real = Content(QB_TESTDATA_DIR "/media/vp6_mp3_NAPNAP_red5.flv");
    const std::pair<const char*, QByteArray> files[] = {{"empty.flv", {}},
                                                        {"text.flv", "A note, not a video.\n"},
                                                        {"header.flv", video.left(60)},
                                                        {"half.flv", video.left(video.size() / 2)},
                                                        {"damaged.flv", damaged},
                                                        {"kept.avi", "keep me"},
                                                        {"pass-0.log", video},
                                                        {"media_half.flv", real.left(real.size() / 2)}};
    for (const auto& [name, content] : files) {
      if (content.isEmpty() && QByteArray(name).startsWith("media_")) continue;
      ASSERT_TRUE(Write(sources->folder.filePath(name), content));
      sources->files.emplace_back(sources->folder.filePath(name), content);
    }
    sources->files.emplace_back(sources->clip, video);
    ASSERT_TRUE(MakeFlv(sources->folder.filePath("4k.flv"), 0.2, true, true, "3840x2160"));
    ASSERT_TRUE(MakeFlv(sources->folder.filePath("silent.flv"), 1, true, false));
    ASSERT_TRUE(MakeFlv(sources->folder.filePath("sound.flv"), 1, false, true));
    // Writing there always fails for want of space.
    ASSERT_TRUE(QFile::link("/dev/full", sources->folder.filePath("full.avi")));
    // It promises the whole video and sends half.
    sources->server.Script("/cut.flv", {.headers = {{"Content-Length", QByteArray::number(video.size())}},
                                        .body = video.left(video.size() / 2),
                                        .contentLength = false});
  }
  static void TearDownTestSuite() { delete sources; }
};

TEST_P(CommandLineTest, GivesWhatTheLineAsksOrRefusesIt) {
  const Line& line = GetParam();
  QTemporaryDir dir;
  const auto place = [&](QString text) {
    if (text == "IN" || text == "file:IN") text.replace("IN", sources->clip);
    text.replace("SRC/", sources->folder.path() + '/').replace("DIR/", dir.path() + '/');
    return text.replace("HTTP/", sources->server.Address() + '/').replace("MEDIA/", QB_TESTDATA_DIR "/media/");
  };
  QStringList words = QString(line.command).split(' ');
  for (QString& word : words) word = place(word);
  const bool fromMedia = words[1].startsWith(QB_TESTDATA_DIR) || words[1].contains("/media_");
  if (fromMedia && !QFile::exists(words[1])) GTEST_SKIP() << "no test media";

  const RunResult run = RunProgram(ConverterPath(), words);
  const std::string said = run.output.toStdString();
  ASSERT_TRUE(run.started && !run.crashed && !run.timedOut) << said;
  EXPECT_EQ(run.exitCode, line.exitCode) << said;
  // Exit status 3 is a read error: what was read is kept, and the error is said all the same.
  const bool refused = line.exitCode != 0;
  EXPECT_EQ(run.output.count("Error: "), refused ? 1 : 0) << said;
  EXPECT_TRUE(run.output.contains(place(line.said))) << said;
  // The window shows the last eight lines of a failed run: the error must be among them.
  const QStringList lines = run.output.split(QRegularExpression("[\r\n]+"), Qt::SkipEmptyParts);
  EXPECT_TRUE(!refused || lines.mid(std::max<qsizetype>(0, lines.size() - 8)).join('\n').contains("Error: ")) << said;
  for (const auto& [path, content] : sources->files) EXPECT_EQ(Content(path), content) << path.toStdString();
  if (!*line.holds) {
    EXPECT_TRUE(QDir(dir.path()).isEmpty()) << "something was written";
    return;
  }
  EXPECT_EQ(run.output.count("Warning: "), line.warnings) << said;
  const auto probe = ProbeFile(words.last());
  ASSERT_TRUE(probe) << said;
  EXPECT_EQ(Describe(*probe), QString(line.holds));
  EXPECT_TRUE(DecodesCleanly(words.last()));
  if (line.atLeast) {
    EXPECT_GT(probe->video->duration, line.seconds);
  } else if (line.seconds > 0) {
    EXPECT_NEAR(probe->video->duration, line.seconds, 0.05);
    EXPECT_NEAR(probe->audio->duration, line.seconds, 0.1);
  }
  const QByteArray written = Content(words.last());
  for (const QString& text : QString(line.inFile).split('|'))
    EXPECT_TRUE(written.contains(text.toUtf8())) << "not in the output: " << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Lines, CommandLineTest, ::testing::ValuesIn(kLines),
                         [](const auto& info) { return TestName(info.param.what); });

}  // namespace
}  // namespace convertertest
