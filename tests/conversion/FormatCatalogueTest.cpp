#include <gtest/gtest.h>

#include "FakeControlView.h"
#include "conversion/ConverterArguments.h"
#include "conversion/FormatCatalogue.h"
#include "tests/support/QStringPrinter.h"
#include "view/frmConvertControls.h"

using conversion::ApplyFormat;
using conversion::ConversionSettings;

namespace {

TEST(FillFormatList, Holds33NamesInCatalogueOrderWithTheSecondSelected) {
  FakeControlView view{view::frmConvertSpec};
  view.AddItem(view::frmConvert::FormatList, "left over from an earlier showing");
  conversion::FillFormatList(view);
  const QStringList names = view.items[view::frmConvert::FormatList];
  ASSERT_EQ(names.size(), 33);
  EXPECT_EQ(names.first(), "AVI (MPEG4-DivX-Compatible)");
  EXPECT_EQ(names[23], "MP3 Sound (MP3)");  // the 24 of 2008 first, today's after them
  EXPECT_EQ(names.last(), "GIF (Animated, 480 Wide)");
  EXPECT_EQ(view.Text(view::frmConvert::FormatList), "AVI (MPEG4-DivX-Best Quality)");
}

TEST(ApplyFormat, ComposesTheOutputPathFromTheFolderTextAsItStands) {
  struct Case {
    const char* folder;
    const char* format;
    const char* path;
  };
  const Case cases[] = {
      {"/out", "MP3 Sound (MP3)", "/out/talk_new.mp3"},
      {"/", "AVI (MPEG4-DivX-Compatible)", "//talk_new.avi"},  // the separator is doubled, not merged
      {"/out/", "3GP (for Mobile)", "/out//talk_new.3gp"},
      {"/out", "no such format", "/out/talk_new"},
  };
  for (const Case& c : cases) {
    ConversionSettings s;
    EXPECT_EQ(ApplyFormat(s, c.format, c.folder, "talk"), QString::fromLatin1(c.path));
  }
}

TEST(ApplyFormat, KeepsWhatARowDoesNotGive) {
  ConversionSettings s;
  ApplyFormat(s, "Zune MPEG-4 AVC", "/out", "talk");
  ApplyFormat(s, "Zune MPEG-4 Video", "/out", "talk");  // no run ended in between
  EXPECT_EQ(s.GopSize, "250");
  EXPECT_EQ(s.BufferSize, "128");
  EXPECT_EQ(s.VideoCodec, "mpeg4");

  s = ConversionSettings{};  // what the end of a run does
  ApplyFormat(s, "Zune MPEG-4 Video", "/out", "talk");
  EXPECT_TRUE(s.GopSize.isEmpty() && s.QScale.isEmpty() && s.MaxRate.isEmpty() && s.BufferSize.isEmpty());
}

}  // namespace
