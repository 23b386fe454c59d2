#include "ConverterHarness.h"

namespace convertertest {

QString ConverterPath() { return QStringLiteral(QB_PROGRAM_DIR "/kodavert.dll"); }

RunResult RunConverter(const QString& input, const QString& optionText, const QString& output) {
  QStringList arguments{"-i", input};
  arguments += optionText.split(' ', Qt::SkipEmptyParts);
  arguments << output;
  return RunProgram(ConverterPath(), arguments);
}

const std::vector<CatalogueRow>& CatalogueRows() {
  static const std::vector<CatalogueRow> rows{
      {"AVI (MPEG4-DivX-Compatible)", ".avi", "-y  -b 360 -r 29.97 -s 320x240 -vcodec mpeg4 -deinterlace -sameq -ab 48 -ar 22050 -ac 2 ", "mpeg4", 320, 240, 29.97, "mp3", 22050, 2},
      {"AVI (MPEG4-DivX-Best Quality)", ".avi", "-y  -b 360 -r 29.97 -s 320x240 -vcodec mpeg4 -aspect 16:9 -deinterlace -sameq -acodec mp3 -ab 128 -ar 44100 -ac 2 ", "mpeg4", 320, 240, 29.97, "mp3", 44100, 2},
      {"AVI (MPEG4-XviD-Compatible)", ".avi", "-y  -b 360 -r 29.97 -s 320x240 -vcodec xvid -deinterlace -sameq -ab 48 -ar 22050 -ac 2 ", "mpeg4", 320, 240, 29.97, "mp3", 22050, 2},
      {"AVI (MPEG4-XviD-Best Quality)", ".avi", "-y  -b 360 -r 29.97 -s 320x240 -vcodec xvid -deinterlace -sameq -ab 128 -ar 44100 -ac 2 ", "mpeg4", 320, 240, 29.97, "mp3", 44100, 2},
      {"iPOD Video (320x240) MPEG4", ".mpg", "-y  -b 512 -s 320x240 -vcodec mpeg4 -aspect 4:3 -acodec aac -ab 64 -ar 44100 -ac 2 ", "mpeg4", 320, 240, 0, "aac", 44100, 2},
      {"iPOD Video2 (640x480) MPEG4", ".mpg", "-y  -b 1200 -s 640x480 -vcodec mpeg4 -aspect 4:3 -acodec aac -ab 80 -ar 44100 -ac 2 ", "mpeg4", 640, 480, 0, "aac", 44100, 2},
      {"iPhone Video", ".mpg", "-y  -b 1200 -s 320x240 -vcodec mpeg4 -aspect 4:3 -acodec aac -ab 80 -ar 44100 -ac 2 ", "mpeg4", 320, 240, 0, "aac", 44100, 2},
      {"MPEG (Max Compatible)", ".mpg", "-y  -r 29.97 -vcodec mpeg1video -deinterlace -sameq -ar 44100 -ac 2 ", "mpeg1video", 0, 0, 29.97, "mp2", 44100, 2},
      {"MPEG (Best Quality)", ".mpg", "-y  -r 29.97 -vcodec mpeg1video -deinterlace -sameq -ac 2 ", "mpeg1video", 0, 0, 29.97, "mp2", 0, 2},
      {"WMV(WindowsMedia-Compatible)", ".wmv", "-y  -vcodec wmv2 -deinterlace -sameq -ar 44100 -ac 2 ", "wmv2", 0, 0, 0, "wmav2", 44100, 2},
      {"WMV(WindowsMedia-Best Quality)", ".wmv", "-y  -vcodec wmv2 -deinterlace -sameq -ac 2 ", "wmv2", 0, 0, 0, "wmav2", 0, 2},
      {"RM (RealONE/RealPlayer)", ".rm", "-y  -vcodec rv20 -deinterlace -sameq -ar 44100 -ac 2 ", "rv20", 0, 0, 0, "ac3", 44100, 2},
      {"QuickTime MOV", ".mov", "-y  -b 360 -r 29.97 -s 320x240 -deinterlace -sameq -acodec aac -ab 48 -ar 44100 -ac 2 ", "h264", 320, 240, 29.97, "aac", 44100, 2},
      {"Sony PSP (Normal)", ".avi", "-y  -b 512 -r 29.97 -s 368x208 -vcodec xvid -acodec aac -ab 64 -ar 24000 -ac 2 ", "mpeg4", 368, 208, 29.97, "aac", 24000, 2},
      {"Sony PSP (Excellent Quality)", ".avi", "-y  -b 768 -r 29.97 -s 368x208 -vcodec xvid -acodec aac -ab 64 -ar 24000 -ac 2 ", "mpeg4", 368, 208, 29.97, "aac", 24000, 2},
      {"Sony PSP (Minimal Size)", ".avi", "-y  -b 216 -r 29.97 -s 160x112 -vcodec xvid -acodec aac -ab 64 -ar 24000 -ac 2 ", "mpeg4", 160, 112, 29.97, "aac", 24000, 2},
      {"Sony PSP (PSP AVC)", ".avi", "-y  -b 400 -r 29.97 -s 368x208 -vcodec h264 -bufsize 128 -g 250 -qscale 25 -maxrate 1500 -acodec aac -ab 128 -ar 48000 -ac 2 ", "h264", 368, 208, 29.97, "aac", 48000, 2},
      {"Zune MPEG-4 Video", ".avi", "-y  -b 1500 -r 29.97 -s 320x240 -vcodec mpeg4 -acodec aac -ab 128 -ar 48000 -ac 2 ", "mpeg4", 320, 240, 29.97, "aac", 48000, 2},
      {"Zune MPEG-4 AVC", ".avi", "-y  -b 1500 -r 29.97 -s 320x240 -vcodec h264 -bufsize 128 -g 250 -qscale 25 -maxrate 1500 -acodec aac -ab 64 -ar 48000 -ac 2 ", "h264", 320, 240, 29.97, "aac", 48000, 2},
      {"Zune WMV", ".wmv", "-y  -b 1500 -r 29.97 -s 320x240 -vcodec wmv2 -acodec mp3 -ab 128 -ar 48000 -ac 2 ", "wmv2", 320, 240, 29.97, "mp3", 48000, 2},
      {"3GP (for Mobile)", ".3gp", "-y  -b 120 -r 11 -s 176x144 -vcodec h263 -bt 60 -acodec amr_nb -ab 48 -ar 8000 -ac 1 ", "h263", 176, 144, 11, "amr_nb", 8000, 1},
      {"3G2 (for Mobile)", ".3g2", "-y  -b 120 -r 11 -s 176x144 -vcodec mpeg4 -bt 60 -acodec amr_nb -ab 48 -ar 8000 -ac 1 ", "mpeg4", 176, 144, 11, "amr_nb", 8000, 1},
      {"WAVE Sound (WAV)", ".wav", "-y  -f wav -acodec pcm_s16le -ab 128 -ar 41000 -ac 2 ", nullptr, 0, 0, 0, "pcm_s16le", 41000, 2},
      {"MP3 Sound (MP3)", ".mp3", "-y  -f mp3 -acodec mp3 -ab 128 -ar 44100 -ac 2 ", nullptr, 0, 0, 0, "mp3", 44100, 2},
  };
  return rows;
}

}  // namespace convertertest
