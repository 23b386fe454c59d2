// Command lines as the presets of 2008-2010 wrote them for the stock tool, run on a generated Flash
// video (320x240, 25 fps, MP3 at 22050 Hz mono): each output holds what its line asks for, and the
// lines the converter cannot honour are refused with one error line naming the option.
#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "ConverterHarness.h"

namespace convertertest {
namespace {

struct PeriodLine {
  const char* what;
  const char* options;  // OUT is the output file's place
  const char* output;
  const char* holds;        // as Describe writes it; empty: nothing may be written
  int exitCode = 0;
  const char* said = "";    // in the converter's lines: the error, or the first warning
  int warnings = 0;
  const char* inFile = "";  // '|'-separated texts in the output (x264 writes its settings into it)
  double seconds = 0;       // of the picture, when the line limits it
};

const PeriodLine kLines[] = {
    // The lines the issue names.
    {"phone MP4 with libfaac", "-vcodec mpeg4 -b 250kb -s qvga -r 15 -acodec libfaac -ab 64kb -ar 44100 -ac 2 -f mp4",
     "phone.mp4", "mpeg4 320x240 15 aac 44100 2"},
    {"PAL DVD", "-target pal-dvd", "dvd.mpg", "mpeg2video 720x576 25 ac3 48000 2"},
    {"NTSC VCD", "-target ntsc-vcd", "vcd.mpg", "mpeg1video 352x240 29.97 mp2 44100 2"},
    {"NTSC DV", "-target ntsc-dv", "tape.dv", "dvvideo 720x480 29.97 pcm_s16le 48000 2"},
    {"DV without -target", "-s pal -r pal -pix_fmt yuv420p -vcodec dvvideo -acodec pcm_s16le -ar 48000 -ac 2 -f dv",
     "tape.dv",
     "dvvideo 720x576 25 pcm_s16le 48000 2"},
    {"anamorphic XviD cut", "-vcodec xvid -vtag XVID -croptop 30 -cropbottom 30 -s 320x180 -aspect 16:9 -b 800k "
     "-acodec libmp3lame -ab 128kb -ar 44100 -ac 2", "wide.avi", "mpeg4 320x180 25 mp3 44100 2"},
    {"x264 iPod", "-vcodec libx264 -flags +loop -cmp +chroma -partitions +parti4x4+partp8x8+partb8x8 "
     "-me_method umh -subq 5 -trellis 1 -refs 1 -coder 0 -me_range 16 -g 300 -keyint_min 25 -sc_threshold 40 "
     "-i_qfactor 0.71 -maxrate 768k -bufsize 2M -level 30 -bf 0 -s 320x240 -acodec libfaac -ab 128k",
     "ipod.mp4", "h264 320x240 25 aac 22050 1", 0, "", 0,
     "cabac=0 ref=1 deblock=1:0:0 analyse=0x3:0x111 me=umh subme=5|trellis=1|keyint=300 keyint_min=25 "
               "scenecut=40|vbv_maxrate=768 vbv_bufsize=2000"},
    {"OGG sound", "-vn -acodec vorbis -aq 6 -ar 44100 -ac 2", "sound.ogg", "vorbis 44100 2"},
    // Values as that time wrote them.
    {"decimal aspect, named size, fraction rate, plain bit/s",
     "-vcodec msmpeg4 -b 1.5M -s cif -r 30000/1001 -aspect 2.35 -acodec mp3 -ab 128000 -ar 44100", "ms.avi",
     "msmpeg4v3 352x288 29.97 mp3 44100 1"},
    {"crop without -s", "-vcodec mpeg4 -croptop 40 -cropbottom 40 -cropleft 8 -cropright 8", "crop.avi",
     "mpeg4 304x160 25 mp3 22050 1"},
    {"letterbox padding", "-vcodec mpeg4 -s 320x180 -padtop 30 -padbottom 30 -padcolor 000000", "pad.avi",
     "mpeg4 320x240 25 mp3 22050 1"},
    // Options of the encoders and the muxer, under today's names and those of the time.
    {"MPEG-4 tuning", "-vcodec mpeg4 -flags +4mv+aic -mbd 2 -trellis 1 -cmp 2 -subcmp 2 -g 12 -bf 2 -qmin 2 "
     "-qmax 31 -me_method epzs -mv0 -strict experimental -an", "tuned.avi", "mpeg4 320x240 25"},
    {"x264 switches of -flags2", "-vcodec libx264 -flags2 +bpyramid+mixed_refs+wpred+dct8x8-fastpskip "
     "-deblockalpha -1 -deblockbeta -2 -directpred 3 -bf 3 -vpre hq -crf 22 -maxrate 800 -bufsize 1000000 -an",
     "flags2.mp4", "h264 320x240 25", 0, "", 0,
     "deblock=1:-1:-2|mixed_ref=1|8x8dct=1|fast_pskip=0|b_pyramid=2|direct=3|weightb=1|crf=22.0|subme=8|"
     "vbv_maxrate=800 vbv_bufsize=1000"},
    {"x264 preset file", "-vcodec libx264 -vpre ipod320 -s qvga -an", "preset.mp4", "h264 320x240 25", 0, "", 0,
     "cabac=0|bframes=0"},
    {"H.263+ switches", "-vcodec h263p -aic -umv -s qcif -an -f avi", "p.avi", "h263 176x144 25"},
    {"film SVCD", "-target film-svcd", "film.mpg", "mpeg2video 480x480 23.98 mp2 44100 2"},
    {"copied picture, cut", "-vcodec copy -acodec libmp3lame -ab 64k -ss 1 -t 1", "copy.avi",
     "flv1 320x240 25 mp3 22050 1", 0, "", 0, "", 1},
    {"frame count", "-vcodec mpeg4 -vframes 25", "short.avi", "mpeg4 320x240 25 mp3 22050 1", 0, "", 0, "", 1},
    // Accepted, saying what does not apply.
    {"retired options", "-vcodec mpeg4 -threads 2 -async 1 -me_threshold 3 -map_metadata 0:0", "old.avi",
     "mpeg4 320x240 25 mp3 22050 1", 0, "Warning: -threads has no effect here", 4},
    {"option of another encoder", "-vcodec mpeg4 -coder 1", "other.avi", "mpeg4 320x240 25 mp3 22050 1", 0,
     "Warning: -coder 1 means nothing to mpeg4, libmp3lame, avi", 1},
    // Refused.
    {"unknown option", "-vcodec mpeg4 -nosuch 1", "out.avi", "", 2, "Error: unknown option -nosuch."},
    {"tag without a name", "-metadata =x", "out.avi", "", 2, "Error: invalid value '=x' for option -metadata."},
    {"help", "-vcodec mpeg4 -h", "out.avi", "", 0, "Own options: "},
    {"bad value for an encoder option", "-vcodec mpeg4 -qmin many", "out.avi", "", 2,
     "Error: invalid value 'many' for option -qmin."},
    {"unknown x264 preset file", "-vcodec libx264 -vpre nosuch", "out.mp4", "", 2,
     "Error: invalid value 'nosuch' for option -vpre."},
    {"second pass without the first", "-pass 2 -passlogfile /nonexistent/log -vcodec mpeg4", "out.avi", "", 1,
     "Error: cannot read the first pass's log '/nonexistent/log-0.log'"},
    {"bit rate the encoder cannot take", "-acodec mp2 -ab 384k", "out.mpg", "", 1, "It may not take -ab 384 kbit/s"},
    {"resized copy", "-vcodec copy -s 160x120", "out.avi", "", 2, "Error: -s cannot change the video that"},
    {"crop larger than the picture", "-croptop 200 -cropbottom 200", "out.avi", "", 2, "Error: the crop"},
    {"nothing left", "-vn -an", "out.avi", "", 2, "Error: -vn and -an together"},
    {"unknown pad colour", "-padtop 10 -padcolor greenish", "out.avi", "", 2,
     "Error: invalid value 'greenish' for option -padcolor."},
    {"second input", "-i other.flv", "out.avi", "", 2, "Error: more than one input"},
};

void PrintTo(const PeriodLine& line, std::ostream* os) { *os << line.what; }

class DialectTest : public ::testing::TestWithParam<PeriodLine> {};

TEST_P(DialectTest, ConvertsWithWhatTheLineAsks) {
  static const struct Source {
    QTemporaryDir folder;
    QString path = folder.filePath("clip.flv");
    bool made = MakeFlv(path, 2);
  } source;
  ASSERT_TRUE(source.made);
  const PeriodLine& line = GetParam();
  QTemporaryDir folder;
  const QString output = folder.filePath(line.output);
  QStringList arguments{"-i", source.path, "-y"};
  arguments << QString(line.options).split(' ', Qt::SkipEmptyParts) << output;
  const RunResult run = RunProgram(ConverterPath(), arguments);
  const std::string said = run.output.toStdString();
  ASSERT_TRUE(run.started && !run.crashed && !run.timedOut) << said;
  EXPECT_EQ(run.exitCode, line.exitCode) << said;
  EXPECT_EQ(run.output.count("Error: "), line.exitCode ? 1 : 0) << said;
  EXPECT_TRUE(run.output.contains(line.said)) << said;
  if (!*line.holds) {
    EXPECT_FALSE(QFile::exists(output));
    return;
  }
  EXPECT_EQ(run.output.count("Warning: "), line.warnings) << said;
  const auto probe = ProbeFile(output);
  ASSERT_TRUE(probe) << said;
  EXPECT_EQ(Describe(*probe), QString(line.holds));
  EXPECT_TRUE(DecodesCleanly(output));
  if (line.seconds > 0) {
    EXPECT_NEAR(probe->video->duration, line.seconds, 0.05);
    EXPECT_NEAR(probe->audio->duration, line.seconds, 0.1);
  }
  QFile file(output);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray written = file.readAll();
  for (const QString& text : QString(line.inFile).split('|'))
    EXPECT_TRUE(written.contains(text.toUtf8())) << "not in the output: " << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(PeriodLines, DialectTest, ::testing::ValuesIn(kLines),
                         [](const auto& info) { return TestName(info.param.what); });

}  // namespace
}  // namespace convertertest
